# Widget tests of the quotes dialogs.
