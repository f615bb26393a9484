# Widget tests of the currencies dialogs.
pf_add_test(app_currency_dialogs_test currency_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
