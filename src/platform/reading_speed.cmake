# Reading large portfolio files: whole files in memory mapped in one go.
target_sources(pf_platform PRIVATE file_bytes.cpp)
