#The option pages of the charts and diagrams : form models in pf_shell.
target_sources(pf_shell PRIVATE chart_option_pages.cpp position_choice_form.cpp)
