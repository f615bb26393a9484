# The command html.
pf_add_test(cli_html_test cli_html_test.cpp LIBS pf_cli pf_samples pf_test_support)
