# The Debian package of the station: `cpack -G DEB` in the build folder makes
# kivo-sales-station_VERSION_amd64.deb from the install rules: the station and its tools in
# bin/, the resources in share/kivo-sales-station/, the menu entry, icon, manual pages and the
# kiosk's systemd user unit.
add_subdirectory(${CMAKE_SOURCE_DIR}/packaging ${CMAKE_BINARY_DIR}/packaging)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kivo-sales-station")
set(CPACK_PACKAGE_VENDOR "Kivo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "self-service photo sales kiosk for event photography")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Customers find their photos by the ID on their card, choose prints, a USB drive and other "
    "packages, and accept the priced order; the station writes the order files for the print "
    "host and the pending invoice for the point-of-sale system, and prints a receipt.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # kivo-sales-station_VERSION_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kivo Sales Station developers <kivo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/kivo-sales-station")
# The shared libraries' packages come from dpkg-shlibdeps; what is loaded at run time and not
# linked is named here: without GStreamer's plugins the attract movie crashes the player, and
# without a font every text is an empty box.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-dejavu-core, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# Qt's own translations give the standard dialog buttons the station's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, dbus-user-session, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "printer-driver-cups-pdf")
include(CPack)

# Builds the package, unpacks it into an empty folder and runs the unpacked station's self-test
# on a demo made by the unpacked kivo-demo, with the unpacked kivo-event as the print host.
add_test(NAME Package.BuildsUnpacksAndPassesItsSelfTest
         COMMAND ${CMAKE_SOURCE_DIR}/tests/package/run.sh ${CMAKE_BINARY_DIR})
set_tests_properties(Package.BuildsUnpacksAndPassesItsSelfTest PROPERTIES
                     RUN_SERIAL TRUE TIMEOUT 600 SKIP_RETURN_CODE 77)

# The shipped kiosk unit under a systemd user manager of its own: a killed and a frozen station
# are each followed by a new one serving within 15 s.
add_test(NAME Package.ServiceRestartsAKilledOrFrozenStation
         COMMAND ${CMAKE_SOURCE_DIR}/tests/package/service.sh ${CMAKE_BINARY_DIR})
set_tests_properties(Package.ServiceRestartsAKilledOrFrozenStation PROPERTIES
                     RUN_SERIAL TRUE TIMEOUT 120 SKIP_RETURN_CODE 77)
# The station's lines and events in a journal of the test's own, under a user manager.
add_test(NAME Package.JournalHoldsTheStationsEventsWithTheirFields
         COMMAND ${CMAKE_SOURCE_DIR}/tests/package/journal.sh ${CMAKE_BINARY_DIR})
set_tests_properties(Package.JournalHoldsTheStationsEventsWithTheirFields PROPERTIES
                     RUN_SERIAL TRUE TIMEOUT 90 SKIP_RETURN_CODE 77)
