# The Debian package: `cpack` in a configured build tree writes
# nvrwizard_VERSION_ARCH.deb. Its dependencies are Debian's own packages,
# found by dpkg-shlibdeps from the installed programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nvrwizard)
set(CPACK_PACKAGE_VENDOR Vexor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vexor nvrwizard team <nvrwizard@vexor.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://support.vexor.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Links, documents and the launcher open pages through xdg-open; Qt's own
# dialogs take the wizard's language from Qt's translations; the Chinese and
# Japanese pages need their fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup wizard for the HRX-540A network video recorder")
set(CPACK_PACKAGE_DESCRIPTION
  "The wizard leads through the first setup of an HRX-540A recorder from a\n"
  "computer on the same network: it finds the recorder, sets its administrator\n"
  "password, time zone and disks, adds its IP cameras and registers it with the\n"
  "Nimbora cloud service. It leaves the HRX260A launcher on the desktop, which\n"
  "opens the recorder's cloud page.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})

# The settings file is a conffile: an upgrade keeps what the administrator set.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/debian/conffiles "${NVR_DEPLOYMENT_FILE}\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
