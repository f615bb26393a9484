# Benchmarks of the gain_loss report.
target_sources(bench_reports PRIVATE gain_loss_benchmark.cpp)
