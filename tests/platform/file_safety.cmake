# Faults on saving, the lock and the backup generation.
pf_add_test(platform_safe_save_test safe_save_test.cpp LIBS pf_platform)
pf_add_test(platform_document_lock_test document_lock_test.cpp LIBS pf_platform)
