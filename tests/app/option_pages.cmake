# Tests of the report option pages.
