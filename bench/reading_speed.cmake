# Reading large portfolio files.
