# Stored import formats, the import, result and export dialogs, reading a quote file whole.
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/import_format_store.cpp)
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/quote_export.cpp)
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/quote_import_form.cpp)
target_sources(pf_quotes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/quote_file_read.cpp)
