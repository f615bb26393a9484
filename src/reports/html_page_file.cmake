# Where the holdings' HTML page is written.
target_sources(pf_reports PRIVATE html_page_file.cpp)
