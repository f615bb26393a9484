# The securities dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
target_sources(pf_app PRIVATE
  dialogs/security_dialog.cpp
  dialogs/quote_rounding_question.cpp
  dialogs/use_template_dialog.cpp
  dialogs/vtplus_data_dialog.cpp
  dialogs/security_editor_dialog.cpp)
target_sources(portfolaris-screenshots PRIVATE tools/screenshots_securities.cpp)
