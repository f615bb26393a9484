# The conversion of first-generation portfolio files.
target_sources(pf_model PRIVATE archive/first_generation.cpp)
