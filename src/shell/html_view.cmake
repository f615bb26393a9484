# The command "HTML-Ansicht" and the dialog that configures the page.
target_sources(pf_shell PRIVATE html_view.cpp)
