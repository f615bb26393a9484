# The securities list: its sources in pf_reports.
target_sources(pf_reports PRIVATE price_walk.cpp securities_columns.cpp securities_list_report.cpp)
