# Installation and the Debian package.
#
# The program and its three libraries stay together in one private directory,
# <prefix>/lib/varotem, as in the build tree: the program finds the libraries
# by its RUNPATH $ORIGIN, and libdaqlink.so reads daqlink.ini beside itself.
# varotem-eval, the analysis on the command line, lies beside the program.
# <prefix>/bin/varotem and <prefix>/bin/varotem-eval are relative symbolic
# links to them. The marker
# file beside the program sends its settings and reference points to the
# per-user configuration directory (see app/core/AppPaths.h).
include(GNUInstallDirs)

set(VAROTEM_INSTALL_DIR lib/varotem)

install(TARGETS varotem varotem-eval daqlink auxlink daqboard
        RUNTIME DESTINATION ${VAROTEM_INSTALL_DIR}
        LIBRARY DESTINATION ${VAROTEM_INSTALL_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/varotem-installed DESTINATION ${VAROTEM_INSTALL_DIR})

# A relative link works under any prefix and inside the package's staging tree.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install-links)
foreach(program IN ITEMS varotem varotem-eval)
  file(CREATE_LINK ../${VAROTEM_INSTALL_DIR}/${program} ${PROJECT_BINARY_DIR}/install-links/${program} SYMBOLIC)
  install(FILES ${PROJECT_BINARY_DIR}/install-links/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/varotem.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/app/icons/varotem.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/daqlink/daqlink.ini.example DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/varotem)
# The English catalogues, found from the program's directory (app/core/Language.h).
install(FILES ${VAROTEM_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/varotem/translations)
# The reference materials, found from the program's directory (materials/MaterialLibrary.h).
install(FILES ${VAROTEM_MATERIAL_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/varotem/materials)
# The user's manual of "Справка", one folder per language (app/core/ManualPath.h).
install(DIRECTORY ${VAROTEM_MANUAL_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/varotem/manual)

# The Debian package: cpack -G DEB in the build directory. It installs under
# /usr whatever CMAKE_INSTALL_PREFIX says.
set(CPACK_PACKAGE_NAME varotem)
set(CPACK_PACKAGE_VENDOR "Varotem developers")
set(CPACK_PACKAGE_CONTACT "Varotem developers <varotem@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "push-rod dilatometer recorder")
set(CPACK_PACKAGE_DESCRIPTION
    "Records the runs of a push-rod dilatometer (sample temperature, length change,
control thermocouple) from a data-acquisition board through Comedi, shows them
live, autosaves them and can switch the furnace heater off at a chosen event.
It smooths and calibrates the runs and computes the thermal expansion
coefficient with the quartz push-rod and baseline corrections. Without a board
it runs against a built-in simulated dilatometer. The interface is in Russian,
or in English on an English desktop or with --lang en.
Every run saved, autosaved or opened is kept in a run archive (SQLite) with
the sample's description and its results; runs are found, compared on one
chart and reported as PDF. varotem-eval runs the same calculation, export and
archive commands on the command line, without a display.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker does not see: the SVG icon engine and image plugin (the
# toolbar icons), the metric-compatible fonts for the charts' font names, and
# Qt's Russian translation of its own dialogs (qtbase_ru.qm), and the DejaVu
# fonts of the archive's PDF reports. The run archive's SQLite library is
# also named, though shlibdeps finds it too.
# The X11 and offscreen platform plugins (the latter for varotem-eval's
# reports) come with libqt6gui6, which shlibdeps adds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6svg6, fonts-liberation, qt6-translations-l10n, fonts-dejavu-core, libsqlite3-0")
# The spreadsheet export opens its workbook through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
