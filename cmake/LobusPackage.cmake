# The Debian package: `cpack -G DEB` in a build directory (CI builds it,
# unpacks it into a scratch root and runs the installed programs from there).
set(CPACK_PACKAGE_NAME lobus)
set(CPACK_PACKAGE_VENDOR "LOBUS")
set(CPACK_PACKAGE_CONTACT "LOBUS developers <lobus@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the results of a multi-lobe journal bearing analysis")
# One string: separate arguments to set() would make a list, joined by ";".
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "LOBUS reads the files of the MERANT (isothermal) and SOLAKO (thermal) solvers for a multi-lobe\n"
  "journal bearing and draws one engineering picture: the clearance circle, the lobes, the pressure\n"
  "diagrams, the temperatures, the bearing and journal centres and the scale bars. lobus and\n"
  "lobus-solako are the window programs, and lobus-render writes the picture or the case without a window.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads these at run time; dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils")
include(CPack)
