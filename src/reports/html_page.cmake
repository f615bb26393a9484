# The holdings as a static HTML page.
