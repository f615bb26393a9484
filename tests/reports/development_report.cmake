# Tests of the development table report.
pf_add_test(reports_development_test development_report_test.cpp LIBS pf_reports)
