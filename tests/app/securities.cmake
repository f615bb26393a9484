# Widget tests of the securities dialogs.
pf_add_test(app_security_dialogs_test security_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
# The menu commands of securities, quotes, rates and currencies, walked through as a user.
pf_add_test(app_master_data_walkthrough_test master_data_walkthrough_test.cpp app_test_main.cpp LIBS pf_app)
