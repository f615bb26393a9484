# The option pages of the charts and diagrams: form models in pf_shell.
