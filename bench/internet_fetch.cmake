# Quotes from the internet: a fast run over 50 pages served on 127.0.0.1.
add_executable(bench_internet_fetch
  ${CMAKE_CURRENT_LIST_DIR}/internet_fetch_benchmark.cpp)
target_link_libraries(bench_internet_fetch PRIVATE pf_quotes pf_http pf_http_test_server
                      benchmark::benchmark_main)
