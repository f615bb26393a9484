# Saving safely: faults on writing, the lock of an open file, the backup generation.
target_sources(pf_platform PRIVATE file_system.cpp)
target_sources(pf_platform PRIVATE file_lock.cpp)
