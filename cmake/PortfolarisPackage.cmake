# The Debian package (cpack -G DEB, scripts/package).
