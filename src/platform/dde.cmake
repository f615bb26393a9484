# The teletext bridge: the DDE-style client over a Unix-domain socket and the stand-in
# server that serves pages from a folder (POSIX only).
find_package(Threads REQUIRED)
add_library(pf_dde STATIC
  ${CMAKE_CURRENT_LIST_DIR}/socket_dde_client.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vtplus_standin_server.cpp)
target_include_directories(pf_dde PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(pf_dde PUBLIC Threads::Threads)
