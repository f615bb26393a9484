# Tests of the returns report.
pf_add_test(reports_internal_rate_test internal_rate_test.cpp LIBS pf_reports)
pf_add_test(reports_returns_test returns_report_test.cpp LIBS pf_reports pf_samples)
