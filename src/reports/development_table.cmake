# The development table model and the quotes table: its sources in pf_reports.
