# Debian package: `cpack -G DEB` (or plain `cpack`) in the build folder makes
# quorlen_<version>_<arch>.deb from the install rules, with its dependencies.
# The package installs into /usr whatever CMAKE_INSTALL_PREFIX the build has;
# the program finds its module and data relative to its own folder.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorlen)
set(CPACK_PACKAGE_VENDOR "The Quorlen developers")
set(QRN_DEB_MAINTAINER "The Quorlen developers <maintainers@quorlen.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${QRN_DEB_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quorlen.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for web pages")
set(CPACK_PACKAGE_DESCRIPTION [=[
Quorlen is a desktop editor for web pages: HTML and SHTML pages, Active
Server Pages, style sheets, JavaScript and plain text, with colouring also
for XML, C/C++, Java and Perl files. One main window holds many documents,
each coloured as you type and switchable to a browser preview rendered by
Qt WebEngine.

Ready-made snippets and small wizards insert common markup, a sidebar lists
tags and character references, and tools compress white space, break long
lines, run HTML Tidy and check spelling with Hunspell.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps reads every ELF file in the package: bin/qrn and the preview
# module lib/qrn/libqrnwebview.so (which brings in Qt WebEngine).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Needed at run time but not linked: HTML Tidy, the SVG image and icon plugins,
# the X11 platform plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "tidy, libqt6svg6, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us | hunspell-dictionary, xdg-utils")

# /usr/share/doc/quorlen: the copyright file and the Debian changelog, put in by
# CPack only (a plain `cmake --install` leaves them out). The package is native
# (its packaging lives in this tree, so its version has no Debian revision),
# hence changelog.gz rather than changelog.Debian.gz. The changelog's date is
# the release date that the metainfo gives for this version.
set(QRN_DEB_DOC ${PROJECT_BINARY_DIR}/deb-doc)
set(_qrn_metainfo_file ${PROJECT_SOURCE_DIR}/resources/desktop/org.quorlen.Quorlen.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_qrn_metainfo_file})
file(READ ${_qrn_metainfo_file} _qrn_metainfo)
if(_qrn_metainfo MATCHES "<release version=\"${PROJECT_VERSION}\" date=\"([0-9-]+)\"")
  execute_process(COMMAND env LC_ALL=C date -u -R -d ${CMAKE_MATCH_1}
                  OUTPUT_VARIABLE QRN_DEB_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
else()
  message(WARNING "The metainfo has no <release> for ${PROJECT_VERSION}; the Debian changelog takes today's date")
  string(TIMESTAMP QRN_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
file(REMOVE_RECURSE ${QRN_DEB_DOC})
file(MAKE_DIRECTORY ${QRN_DEB_DOC})
configure_file(${PROJECT_SOURCE_DIR}/cmake/deb/copyright ${QRN_DEB_DOC}/copyright COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/deb/changelog.in ${PROJECT_BINARY_DIR}/deb-changelog @ONLY)
execute_process(COMMAND sh -c "gzip -9n < deb-changelog > deb-doc/changelog.gz"
                WORKING_DIRECTORY ${PROJECT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
# The destination is relative to the package's root, not to its /usr.
string(REGEX REPLACE "^/" "" _qrn_prefix "${CPACK_PACKAGING_INSTALL_PREFIX}")
set(CPACK_INSTALLED_DIRECTORIES "${QRN_DEB_DOC};${_qrn_prefix}/share/doc/quorlen")

include(CPack)
