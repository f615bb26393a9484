# The performance analysis: its sources in pf_reports.
target_sources(pf_reports PRIVATE performance_measures.cpp performance_report.cpp)
