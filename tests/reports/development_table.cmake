# Tests of the development table model and the quotes table.
