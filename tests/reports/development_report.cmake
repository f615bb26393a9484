# Tests of the development table report.
