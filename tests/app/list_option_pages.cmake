# Tests of the Qt option pages of the lists, the depot analysis and the securities list.
