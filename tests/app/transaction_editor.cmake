# Widget tests of the editor dialogs.
pf_add_test(app_transaction_editor_dialogs_test transaction_editor_dialogs_test.cpp app_test_main.cpp LIBS pf_app)
# A user's way through the transaction commands of the main window.
pf_add_test(app_transaction_walkthrough_test transaction_walkthrough_test.cpp app_test_main.cpp LIBS pf_app)
# The Tab order of the entry dialogs.
pf_add_test(app_tab_order_test tab_order_test.cpp app_test_main.cpp LIBS pf_app)
