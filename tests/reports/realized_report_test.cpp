// Tests are added by the owner of this file.
