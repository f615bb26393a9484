# The stand-in teletext server.
add_executable(portfolaris-vtplus ${CMAKE_CURRENT_LIST_DIR}/vtplus_server_main.cpp)
target_link_libraries(portfolaris-vtplus PRIVATE pf_dde)
# The command vtplus-quotes.
target_sources(pf_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_vtplus_commands.cpp)
target_link_libraries(pf_cli PUBLIC pf_dde)
