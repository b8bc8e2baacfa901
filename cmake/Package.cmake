# The Debian package: `cpack -G DEB` in the build folder writes
# inspector_<version>_<arch>.deb. Library dependencies come from
# dpkg-shlibdeps; the data the programs read at run time (dictionaries, the
# report fonts) and what the maintainer scripts call are named here.

set(INSPECTOR_PACKAGE_MAINTAINER "Veltrane <inspector@veltrane.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME inspector)
set(CPACK_PACKAGE_VENDOR Veltrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${INSPECTOR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "home inspection write-up and client reports")
set(CPACK_PACKAGE_DESCRIPTION
    "Inspector is the home inspector's desktop program: it keeps the inspection of a house, category by category
and step by step, with ratings, materials, comments and pictures, checks the spelling as the inspector types,
and writes the client's reports (printed, PDF, HTML and RTF).
.
The package also holds inspector-cli, for every operation that needs no window, and inspector-server, the
office's sync server, installed as the system service inspector-server (not enabled).")
set(CPACK_PACKAGE_FILE_NAME inspector)   # replaced by the Debian name below
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installs with DESTDIR under the real prefix, so that the install step knows it
# installs to /usr and puts the environment file in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-en-us, hunspell-fr, fonts-liberation, adduser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/prerm
    ${PROJECT_SOURCE_DIR}/packaging/debian/postrm
    ${PROJECT_SOURCE_DIR}/packaging/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
