# Where the handbook opens for a dialog or the help menu.
target_sources(pf_shell PRIVATE handbook.cpp)
