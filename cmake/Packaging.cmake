# The Debian package of the station: `cpack -G DEB` in the build folder makes
# kivo-sales-station_VERSION_amd64.deb from the install rules.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kivo-sales-station")
set(CPACK_PACKAGE_VENDOR "Kivo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Self-service photo sales kiosk for event photography")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kivo Sales Station developers <kivo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
