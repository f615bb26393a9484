# Quotes from pasted text: separator formats, the scanner, trend icons.
