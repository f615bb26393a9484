# The analysis table model: its sources in pf_reports.
