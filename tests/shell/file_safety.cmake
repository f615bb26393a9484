# Opening and saving with the lock and the backup.
