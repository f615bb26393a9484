# The command import-v1.
