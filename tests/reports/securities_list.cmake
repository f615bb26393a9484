# Tests of the securities list.
pf_add_test(reports_price_walk_test price_walk_test.cpp LIBS pf_reports)
pf_add_test(reports_securities_list_test securities_list_test.cpp LIBS pf_reports pf_samples)
