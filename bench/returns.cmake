# Benchmarks of the returns report.
target_sources(bench_reports PRIVATE returns_benchmark.cpp)
