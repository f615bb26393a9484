# Tests of the option pages of the lists, the depot analysis and the securities list.
pf_add_test(shell_list_option_pages_test list_option_pages_test.cpp LIBS pf_shell)
