# Quotes from web pages: address split, entity decoding, price extraction, the item list.
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/internet_quotes.cpp)
