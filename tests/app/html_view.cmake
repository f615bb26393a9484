# The holdings' HTML page from the desktop program.
pf_add_test(app_html_view_dialogs_test html_view_dialogs_test.cpp app_test_main.cpp
            LIBS pf_app pf_samples pf_test_support)
