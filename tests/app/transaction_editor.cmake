# Widget tests of the transaction dialogs.
# Widget tests of the editor dialogs.
