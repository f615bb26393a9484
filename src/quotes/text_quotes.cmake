# Quotes from pasted text: separator formats, the scanner, trend icons.
target_sources(pf_quotes PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text_quote_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_scanner.cpp)
target_sources(pf_quotes PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/trend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotes_from_text_form.cpp)
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/quote_result_rows.cpp)
