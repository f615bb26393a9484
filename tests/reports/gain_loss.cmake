# Tests of the gain_loss report.
