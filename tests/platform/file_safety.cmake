# Faults on saving, the lock and the backup generation.
