# Tests of depot analysis and distribution.
