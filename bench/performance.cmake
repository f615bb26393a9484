# Benchmarks of the performance report.
target_sources(bench_reports PRIVATE performance_benchmark.cpp)
