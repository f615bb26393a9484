# Widget tests of the quote file and quotes-from-text dialogs.
pf_add_test(app_quote_files_dialogs_test quote_files_dialogs_test.cpp app_test_main.cpp
            LIBS pf_app pf_test_support)
