# The Qt option pages of the charts and diagrams and the position choice of the positions diagram.
target_sources(pf_app PRIVATE dialogs/chart_option_page_views.cpp dialogs/position_choice_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_chart_option_pages.cpp)
