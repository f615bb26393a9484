# fetch-quotes: internet quote pages over libcurl.
target_sources(pf_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_internet_commands.cpp)
target_link_libraries(pf_cli PUBLIC pf_http)
