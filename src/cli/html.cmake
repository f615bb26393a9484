# The command html.
target_sources(pf_cli PRIVATE cli_html_command.cpp)
