# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by cpack from what "cmake --install" lays out (scripts/package.sh makes it).
set(NIBSY_MAINTAINER "Nibsy Learning developers <nibsy@example.org>"
    CACHE STRING "The maintainer named in the Debian package")
set(NIBSY_HOMEPAGE "https://example.org/nibsy" CACHE STRING "The home page named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nibsy)
set(CPACK_PACKAGE_VENDOR "Nibsy Learning developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${NIBSY_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "learning games for young children")
# One string, its lines kept under 80 characters for the package tools.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Nibsy Learning is a suite of learning games for young children: letters and\n"
    "the alphabet song, counting, sums, colors, shapes, patterns, telling the time,\n"
    "memory and matching games, mazes, jigsaws and an arcade game. A friendly voice\n"
    "speaks every prompt.\n"
    "\n"
    "Worksheets can be printed, and in the sound editor a grown-up records their own\n"
    "voice over the spoken prompts. A kiosk mode keeps the suite full screen until a\n"
    "grown-up answers a question.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME nibsy)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${NIBSY_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${NIBSY_HOMEPAGE})
# The libraries come from the programs themselves (dpkg-shlibdeps): Qt's xcb platform plugin and its
# multimedia and SVG plugins lie in the libqt6gui6, libqt6multimedia6 and libqt6svg6 packages this
# finds. The fonts the suite substitutes for the ones its pictures and windows ask for, and a sound
# server for its sounds and recordings, are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-comic-neue, fonts-liberation, fonts-stix, fonts-symbola, pulseaudio | pipewire-pulse")
# A print server for the worksheets.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
