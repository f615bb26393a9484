# Widget tests of the quotes dialogs.
pf_add_test(app_quote_dialogs_test quote_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
