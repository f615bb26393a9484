# The stand-in teletext server.
add_executable(portfolaris-vtplus ${CMAKE_CURRENT_LIST_DIR}/vtplus_server_main.cpp)
target_link_libraries(portfolaris-vtplus PRIVATE pf_dde)
