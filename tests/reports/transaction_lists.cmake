# Tests of the transaction_lists report.
pf_add_test(reports_transactions_test transactions_report_test.cpp LIBS pf_reports)
pf_add_test(reports_movements_test movements_report_test.cpp LIBS pf_reports)
