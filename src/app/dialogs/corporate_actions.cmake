# The corporate actions dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/split_dialog.cpp
  dialogs/exchange_dialog.cpp
  dialogs/stop_target_dialog.cpp
  dialogs/tax_categories_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_corporate_actions.cpp)
