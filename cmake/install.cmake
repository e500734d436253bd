# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Filsök as a desktop program: the executable, its menu entry and
# its icon in the places a freedesktop desktop looks for them, and a Debian
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
  install(FILES ${CMAKE_SOURCE_DIR}/data/filsok.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The menu finds the icon by the entry's Icon=filsok in the hicolor theme,
  # so both sizes are installed under the same name.
  install(FILES ${CMAKE_SOURCE_DIR}/src/app/filsok.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/src/app/filsok-64.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
          RENAME filsok.png)
endif()

set(CPACK_PACKAGE_NAME filsok)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Filsök developers")
set(CPACK_PACKAGE_CONTACT "Filsök developers")
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
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Filsök developers")
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
