# The quotes dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/entry_pages_frame.cpp
  dialogs/quote_entry_dialog.cpp
  dialogs/rate_entry_dialog.cpp
  dialogs/quote_delete_dialog.cpp)
# The dialogs are views over the entry and deletion forms of the quotes library.
target_link_libraries(pf_app PUBLIC pf_quotes)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_quotes.cpp)
