# The return calculation: its sources in pf_reports.
