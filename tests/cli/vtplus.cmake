# vtplus-quotes against the stand-in server, also started as the program portfolaris-vtplus.
pf_add_test(cli_vtplus_test ${CMAKE_CURRENT_LIST_DIR}/cli_vtplus_test.cpp LIBS pf_cli pf_test_support)
target_compile_definitions(cli_vtplus_test
                           PRIVATE PF_VTPLUS_SERVER="$<TARGET_FILE:portfolaris-vtplus>")
add_dependencies(cli_vtplus_test portfolaris-vtplus)
