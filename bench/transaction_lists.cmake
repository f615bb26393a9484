# Benchmarks of the transaction_lists report.
