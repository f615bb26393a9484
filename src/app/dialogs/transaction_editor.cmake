# The transaction dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
# The editor dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
