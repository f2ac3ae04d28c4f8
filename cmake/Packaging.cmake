# The Debian package, made by CPack's DEB generator from a build configured
# with -DPELN_SYSTEM_INSTALL=ON -DCMAKE_INSTALL_PREFIX=/usr (see
# scripts/package.sh). The libraries it needs are read off the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME peln)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The PELN developers")
set(CPACK_PACKAGE_CONTACT "The PELN developers <developers@peln.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prepare a commercial coffee brewer's settings")
# The lines after the summary; CPack indents them as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "PELN prepares the settings of a commercial coffee brewer and sends them to
the brewer's controller over a serial cable: pulse brew settings and
volumes of its dispense buttons, brewing counts, flowmeter calibration,
pump speed, drip-out time and an LCD logo. It shows what the brewer
reports back and keeps the set in one settings file.
.
peln-cli does the same from a terminal, for scripts and fleets of brewers.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugin at run time, where no dependency can be read off.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The manual pages and peln-cli's completion are read by these; Qt's own
# texts (its file dialogs, for one) come translated with the last.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion, man-db, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
