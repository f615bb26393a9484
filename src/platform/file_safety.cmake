# Saving safely: faults on writing, the lock of an open file, the backup generation.
