pf_add_test(quotes_internet_test ${CMAKE_CURRENT_LIST_DIR}/internet_quotes_test.cpp LIBS pf_quotes)
pf_add_test(quotes_internet_fetch_test ${CMAKE_CURRENT_LIST_DIR}/internet_fetch_test.cpp
            LIBS pf_quotes pf_http pf_http_test_server)
pf_add_test(quotes_browser_fetch_test ${CMAKE_CURRENT_LIST_DIR}/browser_fetch_test.cpp LIBS pf_quotes)
