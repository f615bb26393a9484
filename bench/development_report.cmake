# Benchmarks of the development table report.
target_sources(bench_reports PRIVATE development_report_benchmark.cpp)
