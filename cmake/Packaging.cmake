# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in the build folder packs what `cmake --install` installs into a Debian
# package under /usr. The libraries it needs are read off the binaries by dpkg-shlibdeps
# (from dpkg-dev), TagLib's (libtag1v5) among them; the SVG plugins, which Qt loads at run time for the toolbar icons, are
# named by hand: on Debian 12 libqt6svg6 ships them.
set(TESSEL_PACKAGE_MAINTAINER "The Tessel developers" CACHE STRING
    "The Maintainer of the Debian package, a name and an <e-mail address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer and MP3 tag editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessel gathers files into a rename list, reshapes their new names with text
tools and renames them all in one run that never overwrites a file; every step
can be undone. A second mode edits the ID3v1 and ID3v2 tags of MP3 files. tessel is the
desktop window, tessel-cli gives scripts the same commands.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TESSEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TESSEL_BUILD_WINDOW)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
  # Qt's own translations: the standard buttons in the user's language.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
endif()

# The copyright file and changelog a Debian package carries in its doc folder.
set(TESSEL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tessel)
set(TESSEL_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog ${TESSEL_CHANGELOG} @ONLY)
tessel_gzip(${TESSEL_CHANGELOG} tessel_changelog)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${TESSEL_CHANGELOG}.gz
  DESTINATION ${TESSEL_DOC_DIR})
include(CPack)
