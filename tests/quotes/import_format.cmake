# The import format language: the matcher over quote files.
