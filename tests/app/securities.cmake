# Widget tests of the securities dialogs.
