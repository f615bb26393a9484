# Tests of the report option pages.
pf_add_test(app_option_pages_test option_pages_test.cpp app_test_main.cpp LIBS pf_app pf_samples)
