# The performance analysis: its sources in pf_reports.
