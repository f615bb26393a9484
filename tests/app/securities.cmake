# Widget tests of the securities dialogs.
pf_add_test(app_security_dialogs_test security_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
