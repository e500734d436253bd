# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Filsök as a desktop program: the executable, its menu entry and
# its icon in the places a freedesktop desktop looks for them, its metadata
# for software centres, its manual page, licence and changelog, and a Debian
# package of the same files made with `cpack -G DEB` in the build folder.
# Only the program is installed: the static libraries, the tests and the
# benchmarks stay in the build folder.
include(GNUInstallDirs)

# On Windows the program is one folder with its DLLs (cmake/windows.cmake).
if(WIN32)
  install(TARGETS filsok RUNTIME DESTINATION .)
else()
  install(TARGETS filsok RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The menu entry and the themed icon are the freedesktop way; a Windows build
# carries its icon in the executable.
if(UNIX AND NOT APPLE)
  # The entry's file name is the program's id, which the software-centre
  # metadata names as its launchable and the program gives the desktop as its
  # own (desktopFileName), so a dock ties the window to the entry.
  install(FILES ${CMAKE_SOURCE_DIR}/data/filsok.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${FILSOK_APP_ID}.desktop)
  # The menu finds the icon by the entry's Icon=filsok in the hicolor theme,
  # so both sizes are installed under the same name.
  install(FILES ${CMAKE_SOURCE_DIR}/src/app/filsok.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/src/app/filsok-64.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
          RENAME filsok.png)

  set(generated ${CMAKE_BINARY_DIR}/generated)
  # A software centre needs an address for the picture; see the comment at
  # the screenshot in data/filsok.metainfo.xml.in.
  set(FILSOK_SCREENSHOT_URL "https://filsok.invalid/filsok.png" CACHE STRING
      "The address where docs/filsok.png is published, for software centres")
  configure_file(${CMAKE_SOURCE_DIR}/data/filsok.metainfo.xml.in
                 ${generated}/${FILSOK_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${FILSOK_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Debian wants the manual page and the changelog compressed with gzip -9n:
  # the highest compression and no name or time in the header, so each build
  # gives the same bytes.
  find_program(GZIP gzip REQUIRED)
  function(filsok_gzip source gz)
    string(REGEX REPLACE "\\.gz$" "" plain ${gz})
    add_custom_command(OUTPUT ${gz}
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
                       COMMAND ${GZIP} -9nf ${plain}
                       DEPENDS ${source}
                       VERBATIM)
  endfunction()
  configure_file(${CMAKE_SOURCE_DIR}/docs/filsok.1.in ${generated}/filsok.1 @ONLY)
  filsok_gzip(${generated}/filsok.1 ${generated}/man/filsok.1.gz)
  filsok_gzip(${CMAKE_SOURCE_DIR}/debian/changelog ${generated}/doc/changelog.gz)
  add_custom_target(filsok_docs ALL
                    DEPENDS ${generated}/man/filsok.1.gz ${generated}/doc/changelog.gz)
  install(FILES ${generated}/man/filsok.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${generated}/doc/changelog.gz ${CMAKE_SOURCE_DIR}/debian/copyright
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_PACKAGE_NAME filsok)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# A name and an address, as Debian wants of a maintainer. The project has no
# mail domain of its own, so the address lies under .invalid, the top-level
# domain reserved for names that can never exist: it says plainly that there
# is no mailbox, rather than borrowing someone else's.
set(FILSOK_MAINTAINER "Filsök developers <developers@filsok.invalid>")
set(CPACK_PACKAGE_VENDOR "Filsök developers")
set(CPACK_PACKAGE_CONTACT "${FILSOK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "list, search and convert the text files under a folder")
# Debian shows the long description as it stands: lines kept under 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Filsök is a small desktop tool for people who look after folders of text"
  "files such as web pages, scripts and configuration. In one window it lists"
  "the files under a folder whose names match a mask, searches them for a text"
  "with or without regard to case and shows the hits as a report, opens a hit"
  "with the desktop's default application by a double-click, and rewrites the"
  "listed files as UTF-8 with a byte-order mark. Its texts are Swedish.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The packaged program carries no debug information; a build folder keeps it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME filsok)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FILSOK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ libraries come from what the binary links (dpkg-shlibdeps);
# the fonts are loaded by name at run time, so no link shows them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# A double-click on a hit opens the file through xdg-open; the window works
# without it, so it is recommended rather than required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

if(FILSOK_TESTS AND UNIX AND NOT APPLE)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(NOT DESKTOP_FILE_VALIDATE)
    # Left to fail at test time with "not found" rather than pass unchecked.
    set(DESKTOP_FILE_VALIDATE desktop-file-validate)
  endif()
  add_test(NAME desktop_entry
           COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/data/filsok.desktop)
  # The validator exits 0 on warnings (a deprecated key, an unknown category
  # combination); the menu entry should have none either.
  set_tests_properties(desktop_entry PROPERTIES FAIL_REGULAR_EXPRESSION "error:;warning:")

  add_test(NAME install_layout
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check_install.sh
                   ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(install_layout PROPERTIES TIMEOUT 120)
endif()
