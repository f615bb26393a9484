# The analysis table model: its sources in pf_reports.
target_sources(pf_reports PRIVATE analysis_table.cpp)
