# The import format language: the matcher over quote files.
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/import_format.cpp)
