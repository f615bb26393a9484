# The option pages of the lists, the depot analysis and the securities list: Qt views in pf_app.
target_sources(pf_app PRIVATE dialogs/list_option_page_views.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_list_option_pages.cpp)
