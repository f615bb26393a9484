# The quote file dialogs (import with its result, export) and the quotes-from-text dialogs.
target_sources(pf_app PRIVATE
  dialogs/trend_icons.cpp)
