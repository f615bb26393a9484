# The Debian package (cpack -G DEB, scripts/package): portfolaris_VERSION_amd64.deb with
# whatever the install rules install, below /usr.
set(PF_PACKAGE_MAINTAINER "Portfolaris-Entwicklung <portfolaris@example.org>"
    CACHE STRING "Maintainer field of the Debian package (\"Name <address>\")")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME portfolaris)
set(CPACK_PACKAGE_VENDOR Portfolaris)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${PF_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The binaries of a RelWithDebInfo build carry about 100 MB of debug information each.
set(CPACK_STRIP_FILES ON)
# The DEB generator stages with DESTDIR set, so the install rules' refresh of the desktop
# caches stays out of the package (the package test checks that no cache is packed). On the
# target system dpkg's file triggers of shared-mime-info, desktop-file-utils and
# hicolor-icon-theme refresh them; the package needs no maintainer scripts for that.

set(CPACK_DEBIAN_PACKAGE_NAME portfolaris)
# No Debian revision: the file is portfolaris_<version>_<architecture>.deb.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PF_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line is the synopsis; cpack indents the others and turns empty lines into " .".
# Lines of the long description stay below 80 columns, as dpkg and apt show them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "portfolio manager for securities (German user interface)
Portfolaris keeps securities portfolios: transactions, quotes from files,
teletext and the web, holdings, realised gains, taxes and yield, with reports
and charts. The user interface and the reports are in German. Includes the
command-line program portfolaris-cli and three demonstration portfolios.

Portfolaris verwaltet Wertpapierdepots: Buchungen, Kurse aus Dateien,
Videotext und dem Internet, Bestand, realisierte Gewinne, Steuern und Rendite,
mit Berichten und Grafiken. Dazu das Kommandozeilenprogramm portfolaris-cli
und drei Demonstrationsdepots.")

# dpkg-shlibdeps (dpkg-dev) finds the libraries the programs link, and with Qt WebEngine's
# library also the package of its helper process (libqt6webenginecore6-bin), which the
# "Kurse aus Internet" browser starts. What Qt loads at run time it cannot see: the reports'
# "Arial", which fontconfig maps to Liberation Sans. Debian 12 ships the xcb platform and GIF
# image plugins in libqt6gui6, which shlibdeps finds through the library.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# German texts of Qt's own dialogs, native Wayland windows, the desktop's browser for links,
# and what turns the packaged file types, desktop entry and icon into the desktop's caches
# (their dpkg triggers), so that a file manager opens ".fl2" files with Portfolaris.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, qt6-wayland, xdg-utils, shared-mime-info, desktop-file-utils, \
hicolor-icon-theme")
# Refuses to pack without dpkg-shlibdeps rather than leave the libraries out of Depends.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PortfolarisCPackChecks.cmake)

include(CPack)
