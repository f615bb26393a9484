# "Kurse aus Internet" with an embedded browser (Qt WebEngine).
find_package(Qt6 REQUIRED COMPONENTS WebEngineWidgets)
target_sources(pf_app PRIVATE
  dialogs/browser_quotes_dialog.cpp)
target_link_libraries(pf_app PUBLIC Qt6::WebEngineWidgets)
