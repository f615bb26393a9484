# The holdings as a static HTML page.
target_sources(pf_reports PRIVATE html_page.cpp)
