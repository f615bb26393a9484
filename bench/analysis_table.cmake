# Benchmarks of the analysis table model.
