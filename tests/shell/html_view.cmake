# The command "HTML-Ansicht", where its page goes, and its configuration dialog's form.
pf_add_test(shell_html_view_test html_view_test.cpp LIBS pf_shell pf_samples pf_test_support)
