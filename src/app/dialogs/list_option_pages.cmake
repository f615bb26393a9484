# The option pages of the lists, the depot analysis and the securities list: Qt views in pf_app.
