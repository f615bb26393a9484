# The conversion of first-generation portfolio files.
