# Tests of the option pages of the lists, the depot analysis and the securities list.
