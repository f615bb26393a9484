# Benchmarks of the securities list.
