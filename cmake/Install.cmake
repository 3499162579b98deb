# Installing Jotwel as a desktop program, and the Debian package made from
# the same rules (`cpack` in the build folder):
#   bin/jotwel                                  the program
#   bin/jotwel-launch                           starts it in ~/Jotwel, the diary's folder
#   bin/jotwel-tool                             the diary from a terminal
#   share/applications/jotwel.desktop           the entry in the application menu
#   share/metainfo/org.example.jotwel.metainfo.xml  what software centres show of it
#   share/icons/hicolor/scalable/apps/jotwel.svg    the icon, and rendered at
#   share/icons/hicolor/NxN/apps/jotwel.png         16, 32, 48, 64, 128 and 256 pixels
#   share/jotwel/jotwel-autostart.desktop       start at log-on, for the user to enable
#                                               (copy it to ~/.config/autostart/)
#   share/man/man1/{jotwel,jotwel-launch,jotwel-tool}.1.gz   the manual pages
#   share/doc/jotwel/{copyright,changelog.gz}   the licence and the package's history
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
set(jotwel_icons ${PROJECT_SOURCE_DIR}/resources/icons)
set(jotwel_hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size 16 32 48)
  install(FILES ${jotwel_icons}/icon3-${size}.png
          DESTINATION ${jotwel_hicolor}/${size}x${size}/apps RENAME jotwel.png)
endforeach()
foreach(size 64 128 256)  # made from the same source by scripts/make-icons
  install(FILES ${jotwel_icons}/desktop/icon3-${size}.png
          DESTINATION ${jotwel_hicolor}/${size}x${size}/apps RENAME jotwel.png)
endforeach()
install(FILES ${jotwel_icons}/src/icon3.svg DESTINATION ${jotwel_hicolor}/scalable/apps
        RENAME jotwel.svg)
install(FILES ${jotwel_packaging}/org.example.jotwel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual pages (plain man(7) sources, the version filled in) and the
# package's changelog, compressed as Debian wants them: gzip -9, without
# the name and time stamp, so the same source gives the same bytes.
set(jotwel_doc_build ${CMAKE_BINARY_DIR}/doc)
set(jotwel_compressed)
foreach(page jotwel jotwel-launch jotwel-tool)
  configure_file(${jotwel_packaging}/man/${page}.1 ${jotwel_doc_build}/${page}.1 @ONLY)
  list(APPEND jotwel_compressed ${jotwel_doc_build}/${page}.1)
endforeach()
configure_file(${jotwel_packaging}/changelog ${jotwel_doc_build}/changelog COPYONLY)
list(APPEND jotwel_compressed ${jotwel_doc_build}/changelog)
set(jotwel_gzipped)
foreach(file ${jotwel_compressed})
  add_custom_command(OUTPUT ${file}.gz
                     COMMAND gzip -9 --no-name --force --keep ${file}
                     DEPENDS ${file} VERBATIM)
  list(APPEND jotwel_gzipped ${file}.gz)
endforeach()
add_custom_target(jotwel_docs ALL DEPENDS ${jotwel_gzipped})
add_dependencies(jotwel jotwel_docs)  # built with the program, so it installs whole
foreach(page jotwel jotwel-launch jotwel-tool)
  install(FILES ${jotwel_doc_build}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(jotwel_docdir ${CMAKE_INSTALL_DATADIR}/doc/jotwel)
install(FILES ${jotwel_packaging}/copyright ${jotwel_doc_build}/changelog.gz
        DESTINATION ${jotwel_docdir})

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
# Qt's translations make the print dialog and the message boxes' buttons
# follow the desktop's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, printer-driver-cups-pdf")
set(CPACK_STRIP_FILES ON)
include(CPack)
