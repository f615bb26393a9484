# The desktop's side of the lock and the backup generation.
