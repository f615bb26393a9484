# The handbook's sections.
pf_add_test(shell_handbook_test handbook_test.cpp LIBS pf_shell)
target_compile_definitions(shell_handbook_test
                           PRIVATE PF_HANDBOOK_DIR="${PROJECT_SOURCE_DIR}/docs/handbuch")
