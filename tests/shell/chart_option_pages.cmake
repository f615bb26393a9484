# Tests of the chart and diagram option pages.
pf_add_test(shell_chart_option_pages_test chart_option_pages_test.cpp LIBS pf_shell)
