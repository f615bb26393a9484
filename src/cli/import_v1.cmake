# The command import-v1.
target_sources(pf_cli PRIVATE cli_import_v1_command.cpp)
