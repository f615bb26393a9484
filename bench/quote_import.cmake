# Reading quote files with a format description.
