# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (scripts/package): zentora_<version>_<arch>.deb from the install tree under /usr, its
# library dependencies found by dpkg-shlibdeps.
set(ZENTORA_MAINTAINER "The Zentora developers <zentora@example.org>" CACHE STRING "Maintainer of the package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZENTORA_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "work out roulette systems spin by spin and evaluate them")
set(CPACK_PACKAGE_DESCRIPTION "\
Zentora is a desktop program for roulette players who follow a single-zero
game spin by spin. After every spin it counts, for 1785 chances, how long
each has been absent and how often it hit, decides from the player's rules
which chances are due and at which step of a stake progression, and lays
the stakes out as chips on a drawn table within the table limits.

It replays whole permanences for a money evaluation and statistics charts.
The command-line tool zentora-cli runs the same engine for batch work.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZENTORA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZENTORA_WEB_ADDRESS})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its window-system plugins and fonts at run time, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
