# Benchmarks of the development table model and the quotes table.
target_sources(bench_reports PRIVATE quotes_table_benchmark.cpp)
