# Tests of the performance report.
