# Widget tests of the corporate actions dialogs.
pf_add_test(app_corporate_action_dialogs_test corporate_action_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
