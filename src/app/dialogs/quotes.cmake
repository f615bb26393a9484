# The quotes dialogs: their sources in pf_app and their pictures in portfolaris-screenshots.
