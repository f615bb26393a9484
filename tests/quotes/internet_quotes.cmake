pf_add_test(quotes_internet_test ${CMAKE_CURRENT_LIST_DIR}/internet_quotes_test.cpp LIBS pf_quotes)
