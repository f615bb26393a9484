# Tests of the gain_loss report.
pf_add_test(reports_gain_loss_test gain_loss_report_test.cpp LIBS pf_reports pf_samples)
