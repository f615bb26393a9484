#The development table report : its sources in pf_reports.
target_sources(pf_reports PRIVATE development_rows.cpp)
    target_sources(pf_reports PRIVATE development_report.cpp)
