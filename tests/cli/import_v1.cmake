# The command import-v1.
pf_add_test(cli_import_v1_test cli_import_v1_test.cpp LIBS pf_cli pf_archive_test_support)
