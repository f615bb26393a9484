# The movements dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/movement_dialog.cpp
  dialogs/allocation_dialog.cpp
  dialogs/account_currency_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_movements.cpp)
