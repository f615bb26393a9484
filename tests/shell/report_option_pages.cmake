# Tests of the report option pages' form models.
