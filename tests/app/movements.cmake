# Widget tests of the movements dialogs.
