# The option pages of the lists, the depot analysis and the securities list: form models in pf_shell.
target_sources(pf_shell PRIVATE list_option_pages.cpp)
