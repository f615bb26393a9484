# Quotes from teletext pages: the query of each security, the OK rule, the list rows and
# the page selection dialog's model. Talks to the teletext program only through DdeClient.
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vtplus_quotes.cpp)
