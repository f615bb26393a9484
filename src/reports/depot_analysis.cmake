# Depot analysis and distribution: its sources in pf_reports.
