# Quotes from pasted text: separator formats, the scanner, trend icons.
pf_add_test(quotes_text_test
  ${CMAKE_CURRENT_LIST_DIR}/text_quote_formats_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_scanner_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotes_from_text_form_test.cpp
  LIBS pf_quotes)
