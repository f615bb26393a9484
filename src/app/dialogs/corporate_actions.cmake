# The corporate dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
# The actions dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
