# Benchmarks of the returns report.
