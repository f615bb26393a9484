# Stored import formats, the import, result and export dialogs.
pf_add_test(quotes_import_format_store_test ${CMAKE_CURRENT_LIST_DIR}/import_format_store_test.cpp
            LIBS pf_quotes)
pf_add_test(quotes_export_test ${CMAKE_CURRENT_LIST_DIR}/quote_export_test.cpp LIBS pf_quotes)
pf_add_test(quotes_import_form_test ${CMAKE_CURRENT_LIST_DIR}/quote_import_form_test.cpp
            LIBS pf_quotes)
