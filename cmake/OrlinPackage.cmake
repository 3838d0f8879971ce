# The Debian package: `cpack -G DEB` in the build folder makes orlin_<version>_<arch>.deb of
# what `cmake --install` installs. dpkg-shlibdeps works out the libraries the programs link
# (Qt 6, libical, fluidsynth, ...); what they load by name at run time is named here: a
# General MIDI sound font for the ring tones and Qt's image-format plugins.
set(CPACK_PACKAGE_NAME orlin)
set(CPACK_PACKAGE_VERSION ${ORLIN_FILE_VERSION})
set(CPACK_PACKAGE_VENDOR "Orlin developers")
set(CPACK_PACKAGE_CONTACT "Orlin developers <orlin@example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orlin.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Manager for Motorola phones over a serial cable")
# Lines of the long description stay within 80 columns (lintian).
set(CPACK_PACKAGE_DESCRIPTION
    "Reads and writes the phonebook, datebook, messages and themes of older\n"
    "Motorola phones over a serial, USB or Bluetooth cable with AT commands:\n"
    "a window (orlin), a command line (orlin-cli) and a simulated phone for\n"
    "trying both without one (orlin-phonesim).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | sf2-soundfont-gm, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
