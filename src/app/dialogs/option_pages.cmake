# The report option pages: their Qt views in pf_app.
