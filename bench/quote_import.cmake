# The quote import matcher over synthetic daily histories.
add_executable(bench_quote_import
  quote_import_benchmark.cpp)
target_link_libraries(bench_quote_import PRIVATE pf_quotes benchmark::benchmark_main)
