# Depot analysis and distribution: its sources in pf_reports.
target_sources(pf_reports PRIVATE depot_analysis_rows.cpp depot_analysis_report.cpp)
