# Saving over a file that is held open, and what a save keeps of the replaced file.
pf_add_test(cli_file_safety_test cli_file_safety_test.cpp LIBS pf_cli)
