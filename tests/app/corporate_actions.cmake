# Widget tests of the corporate dialogs.
# Widget tests of the actions dialogs.
