# The currencies dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/currency_dialog.cpp
  dialogs/currency_editor_dialog.cpp)
# The dialogs are views over the currency forms of the quotes library.
target_link_libraries(pf_app PUBLIC pf_quotes)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_currencies.cpp)
