# Tests of the analysis table model.
pf_add_test(reports_analysis_table_test analysis_table_test.cpp LIBS pf_reports)
