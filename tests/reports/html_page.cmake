# The holdings as a static HTML page.
pf_add_test(reports_html_page_test html_page_test.cpp LIBS pf_reports pf_samples)
