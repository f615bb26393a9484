# Widget tests of the quote file and quotes-from-text dialogs.
pf_add_test(app_quote_files_dialogs_test quote_files_dialogs_test.cpp app_test_main.cpp
            LIBS pf_app pf_test_support)
# "Kurse aus Internet" against a local HTTP server.
pf_add_test(app_internet_quotes_dialog_test internet_quotes_dialog_test.cpp app_test_main.cpp
            LIBS pf_app pf_http_test_server)
# "Kurse aus Internet" with the embedded browser against a local HTTP server. The browser's
# engine is not built with the sanitizers and keeps memory to the end of the process, so the
# sanitizer build leaves this test out.
if(NOT PF_SANITIZE)
  pf_add_test(app_browser_quotes_dialog_test browser_quotes_dialog_test.cpp app_test_main.cpp
              LIBS pf_app pf_http_test_server)
endif()
