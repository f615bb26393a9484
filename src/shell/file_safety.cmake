# Opening and saving with the lock of an open file and the backup generation.
