# The transactions and account-movements reports: its sources in pf_reports.
