# The report option pages: their form models in pf_shell.
