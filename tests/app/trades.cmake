# Widget tests of the trades dialogs.
pf_add_test(app_trade_dialogs_test trade_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
