# The trades dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/trade_dialog.cpp
  dialogs/distribute_dialog.cpp
  dialogs/entry_parts.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_trades.cpp)
