# The desktop's side of the lock and the backup.
pf_add_test(app_file_safety_test file_safety_test.cpp app_test_main.cpp LIBS pf_app)
