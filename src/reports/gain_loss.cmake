# The gain/loss evaluation: its sources in pf_reports.
target_sources(pf_reports PRIVATE gain_loss_report.cpp)
