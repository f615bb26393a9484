# Benchmarks of the securities list.
target_sources(bench_reports PRIVATE securities_list_benchmark.cpp)
