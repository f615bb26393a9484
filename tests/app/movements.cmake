# Widget tests of the movements dialogs.
pf_add_test(app_movement_dialogs_test movement_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
