# Tests of the analysis table model.
