# The editor dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/transaction_editor_dialog.cpp
  dialogs/transaction_filter_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_transaction_editor.cpp)
