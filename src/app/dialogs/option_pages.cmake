# The report option pages: their Qt views in pf_app.
target_sources(pf_app PRIVATE dialogs/report_option_page_views.cpp dialogs/html_config_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_option_pages.cpp)
