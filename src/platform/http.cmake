# The libcurl implementation of HttpClient, in a library of its own so that only the
# programs that fetch pages link libcurl.
find_package(CURL REQUIRED)
add_library(pf_http STATIC
  ${CMAKE_CURRENT_LIST_DIR}/curl_http_client.cpp)
target_include_directories(pf_http PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(pf_http PUBLIC pf_options PRIVATE CURL::libcurl)
