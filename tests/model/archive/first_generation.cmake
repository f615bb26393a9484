# The conversion of first-generation portfolio files, with a writer of such files for tests.
