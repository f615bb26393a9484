# Widget tests of the trades dialogs.
