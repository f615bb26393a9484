# Benchmarks of the transaction_lists report.
target_sources(bench_reports PRIVATE transaction_lists_benchmark.cpp)
