# The fast internet quote run: page fetching behind HttpClient on a worker thread.
find_package(Threads REQUIRED)
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/internet_fetch.cpp)
target_link_libraries(pf_quotes PUBLIC Threads::Threads)
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/browser_fetch.cpp)
