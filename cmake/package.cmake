# SPDX-License-Identifier: MIT
# A Debian package of the installed layout: `cpack` in a configured build directory (see
# scripts/package.sh) writes kvrcalc_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvrcalc)
set(CPACK_PACKAGE_VENDOR "${KVR_VENDOR}")
set(CPACK_PACKAGE_CONTACT "${KVR_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${KVR_SUMMARY}")
# The control file indents each line by a blank; Debian wants them no longer than 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Speeds and feeds for milling cutters, drills and thread taps, in a Danish
and an English window. It relates diameter, cutting edges, feed per tooth,
cutting speed, spindle speed, feed rate and thread pitch in metric or inch
units, writes a CNC program line for the clipboard and prints a one-page
report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KVR_HOMEPAGE})
# The libraries come from dpkg-shlibdeps; Qt's platform plugins are loaded at run time, which
# it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own dialogs in Danish for the Danish window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)
