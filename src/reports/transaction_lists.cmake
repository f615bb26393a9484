# The transactions and account-movements reports: its sources in pf_reports.
target_sources(pf_reports PRIVATE transaction_list_common.cpp transaction_filter_match.cpp
               transactions_report.cpp movements_report.cpp)
