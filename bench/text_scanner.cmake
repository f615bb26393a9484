# Quotes from pasted text: the scanner over a large page.
add_executable(bench_text_scanner
  ${CMAKE_CURRENT_LIST_DIR}/text_scanner_benchmark.cpp)
target_link_libraries(bench_text_scanner PRIVATE pf_quotes benchmark::benchmark_main)
