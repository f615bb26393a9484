# The development table model and the quotes table: its sources in pf_reports.
target_sources(pf_reports PRIVATE development_table.cpp)
target_sources(pf_reports PRIVATE quotes_table_report.cpp)
