# Quotes from pasted text: the scanner over a large page.
