# The help menu and the dialogs' help buttons.
