# The return calculation: its sources in pf_reports.
target_sources(pf_reports PRIVATE internal_rate.cpp cash_flows.cpp returns_report.cpp)
