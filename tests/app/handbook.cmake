# The help menu and the dialogs' help buttons.
find_package(Qt6 REQUIRED COMPONENTS Test)
pf_add_test(app_handbook_test handbook_test.cpp app_test_main.cpp LIBS pf_app pf_samples Qt6::Test)
target_compile_definitions(app_handbook_test
                           PRIVATE PF_HANDBOOK_DIR="${PROJECT_SOURCE_DIR}/docs/handbuch")
