# Widget tests of the currencies dialogs.
