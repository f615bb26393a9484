# The report option pages: their form models in pf_shell.
target_sources(pf_shell PRIVATE report_option_pages.cpp)
