# Faults on saving, the lock and the backup generation.
pf_add_test(platform_safe_save_test safe_save_test.cpp LIBS pf_platform)
