# Benchmarks of depot analysis and distribution.
