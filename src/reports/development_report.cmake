# The development table report: its sources in pf_reports.
