# The import format language: the matcher over quote files.
pf_add_test(quotes_import_format_test ${CMAKE_CURRENT_LIST_DIR}/import_format_test.cpp
            LIBS pf_quotes)
# Small quote files in published layouts, written for the tests, in tests/data/quotes.
pf_add_test(quotes_import_format_files_test ${CMAKE_CURRENT_LIST_DIR}/import_format_files_test.cpp
            LIBS pf_quotes)
target_compile_definitions(quotes_import_format_files_test
                           PRIVATE PF_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
