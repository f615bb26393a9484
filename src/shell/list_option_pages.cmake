# The option pages of the lists, the depot analysis and the securities list: form models in pf_shell.
