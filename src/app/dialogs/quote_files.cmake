# The quote file dialogs (import with its result, export) and the quotes-from-text dialogs.
target_sources(pf_app PRIVATE
  dialogs/trend_icons.cpp)
target_sources(pf_app PRIVATE
  dialogs/security_pair.cpp
  dialogs/quote_export_dialog.cpp)
target_sources(pf_app PRIVATE
  dialogs/quote_import_dialog.cpp
  dialogs/quote_import_result_dialog.cpp)
target_sources(pf_app PRIVATE
  dialogs/quotes_from_text_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_quote_files.cpp)
# "Kurse aus Internet": pages fetched with libcurl.
target_sources(pf_app PRIVATE
  dialogs/internet_quotes_dialog.cpp)
target_link_libraries(pf_app PUBLIC pf_http)
