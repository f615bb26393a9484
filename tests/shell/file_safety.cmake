# Opening and saving with the lock and the backup.
pf_add_test(shell_file_safety_test file_safety_test.cpp LIBS pf_shell)
