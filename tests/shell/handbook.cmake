# The handbook's sections.
