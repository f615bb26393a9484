# Tests of the Qt chart and diagram option pages and dialog-bar controls.
pf_add_test(app_chart_option_pages_test chart_option_pages_test.cpp app_test_main.cpp LIBS pf_app)
