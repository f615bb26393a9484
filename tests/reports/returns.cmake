# Tests of the returns report.
