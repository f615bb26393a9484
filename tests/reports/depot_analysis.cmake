# Tests of depot analysis and distribution.
pf_add_test(reports_depot_analysis_test depot_analysis_test.cpp LIBS pf_reports)
