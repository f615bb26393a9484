# Benchmarks of the development table report.
