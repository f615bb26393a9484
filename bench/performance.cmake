# Benchmarks of the performance report.
