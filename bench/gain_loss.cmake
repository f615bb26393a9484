# Benchmarks of the gain_loss report.
