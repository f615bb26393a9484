# Tests of the Qt option pages of the lists, the depot analysis and the securities list.
pf_add_test(app_list_option_pages_test list_option_pages_test.cpp app_test_main.cpp LIBS pf_app)
pf_add_test(app_list_views_test list_views_test.cpp app_test_main.cpp LIBS pf_app)
