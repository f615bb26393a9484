# Where the handbook opens for a dialog or the help menu.
