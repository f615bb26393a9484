# Benchmarks of the analysis table model.
target_sources(bench_reports PRIVATE analysis_table_benchmark.cpp)
