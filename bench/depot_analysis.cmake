# Benchmarks of depot analysis and distribution.
target_sources(bench_reports PRIVATE depot_analysis_benchmark.cpp)
