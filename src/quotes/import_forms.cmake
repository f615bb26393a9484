# Stored import formats, the import, result and export dialogs.
