# The gain/loss evaluation: its sources in pf_reports.
