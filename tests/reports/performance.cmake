# Tests of the performance report.
pf_add_test(reports_performance_test performance_report_test.cpp LIBS pf_reports pf_samples)
