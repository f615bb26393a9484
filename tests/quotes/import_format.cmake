# The import format language: the matcher over quote files.
pf_add_test(quotes_import_format_test ${CMAKE_CURRENT_LIST_DIR}/import_format_test.cpp
            LIBS pf_quotes)
