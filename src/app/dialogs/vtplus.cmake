# "Kurse aus VTPlus" and "Kursauswahl aus VTPlus": teletext pages over the socket bridge.
target_sources(pf_app PRIVATE
  dialogs/vtplus_quotes_dialog.cpp
  dialogs/vtplus_selection_dialog.cpp)
target_link_libraries(pf_app PUBLIC pf_dde)
