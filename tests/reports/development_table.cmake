# Tests of the development table model and the quotes table.
pf_add_test(reports_development_table_test development_table_test.cpp LIBS pf_reports)
pf_add_test(reports_quotes_table_test quotes_table_test.cpp LIBS pf_reports)
