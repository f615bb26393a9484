# The help menu and the dialogs' help buttons.
target_sources(pf_app PRIVATE help.cpp)
