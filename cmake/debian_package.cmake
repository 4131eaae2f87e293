# `cpack -G DEB` in the build folder: korvanta_<version>_<arch>.deb from the install rules.
# Depends: what dpkg-shlibdeps finds in the programs, plus what it cannot see: the Qt
# platform plugins the window loads at run time and the fonts it is drawn in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvanta)
set(CPACK_PACKAGE_VENDOR "The Korvanta developers")
set(CPACK_PACKAGE_CONTACT "Korvanta developers <korvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "converts UV-Vis spectrophotometer export files into Excel reports")
# Lines of at most 80 columns, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Korvanta reads the plain-text export files of a UV-Vis spectrophotometer
(Protein, Concentration, DNA/RNA, Kinetics, OD600, Photometry, TM and WL Scan
measurements) and writes a finished Excel workbook for each, laid out by a
template: the instrument's own values, the tables grown to the samples and a
chart for the scans. No spreadsheet application is needed.
.
The package holds the window (korvanta-gui, with a menu entry that opens export
files), the korvanta command for batch conversion, the twelve template
workbooks (each user may override them with their own) and the korvanta-serve
service, a web page and HTTP API for the conversion, which is not enabled
until `systemctl enable --now korvanta-serve`.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://korvanta.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The service's settings file is the user's to edit: an upgrade keeps the edited one.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/conffiles)
include(CPack)
