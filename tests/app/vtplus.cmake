# "Kurse aus VTPlus" and "Kursauswahl aus VTPlus" against the stand-in teletext server.
pf_add_test(app_vtplus_dialogs_test vtplus_dialogs_test.cpp app_test_main.cpp
            LIBS pf_app pf_dde)
