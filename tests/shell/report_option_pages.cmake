# Tests of the report option pages' form models.
pf_add_test(shell_report_option_pages_test report_option_pages_test.cpp LIBS pf_shell)
