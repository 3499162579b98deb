# Installing Jotwel as a desktop program, and the Debian package made from
# the same rules (`cpack` in the build folder):
#   bin/jotwel                                  the program
#   bin/jotwel-launch                           starts it in ~/Jotwel, the diary's folder
#   bin/jotwel-tool                             the diary from a terminal: list, export,
#                                               chart, check, versions, restore
#   share/applications/jotwel.desktop           the entry in the application menu
#   share/icons/hicolor/NxN/apps/jotwel.png     the window's icon at 16, 32 and 48 pixels
#   share/jotwel/jotwel-autostart.desktop       start at log-on, for the user to enable
#                                               (copy it to ~/.config/autostart/)
# Nothing else is installed: the libraries are static and the tests stay in
# the build folder.
include(GNUInstallDirs)
if(NOT TARGET jotwel)
  return()
endif()

set(jotwel_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(TARGETS jotwel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${jotwel_packaging}/jotwel-launch DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET jotwel-tool)
  install(TARGETS jotwel-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${jotwel_packaging}/jotwel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${jotwel_packaging}/jotwel-autostart.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/jotwel)
foreach(size 16 32 48)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/icon3-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME jotwel.png)
endforeach()

# The Debian package. Library dependencies come from dpkg-shlibdeps (package
# dpkg-dev); the rest are what Qt loads at run time or the dialogs need:
# the X11 platform plugin, the SVG image plugin and the fonts that stand in
# for the dialogs' faces.
set(CPACK_GENERATOR DEB)
# cpack packs what has been built, without building the whole tree first
# (in a build with tests that would build every test program).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_PACKAGE_NAME jotwel)
set(CPACK_PACKAGE_CONTACT "Jotwel maintainers <maintainers@jotwel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small personal diary for the desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "Jotwel records how each day went, in one short visit a day: a text\n\
entry (a summary, a one-line note and a score out of ten) or a button\n\
entry (six headings of your own, each scored out of ten). It lists past\n\
entries over a date range with a word search, deletes an entry and\n\
prints the listing. jotwel-tool does the same from a terminal, and\n\
exports the entries (CSV, JSON, Markdown), charts the scores and checks\n\
the diary file for damage.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://jotwel.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, printer-driver-cups-pdf")
set(CPACK_STRIP_FILES ON)
include(CPack)
