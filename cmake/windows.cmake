# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build (MinGW-w64, cmake/mingw-w64-x86_64.cmake): the system
# libraries the platform layer calls, the executable's resources, and the
# DLLs that go beside filsok.exe, both in the build folder (so that the
# program runs from there) and in the installed program that the zip and
# the installer carry (scripts/windows.sh).
enable_language(RC)

target_link_libraries(filsok_platform PUBLIC kernel32)
target_link_libraries(filsok_desktop PUBLIC user32 shell32)

# The manifest names the processor the executable is built for: a 64-bit
# program bound to the 32-bit common controls would not start. The build's
# copy is found before src/app's by the resource compiler, as
# ${CMAKE_BINARY_DIR}/generated is an include folder of the executable.
file(READ ${CMAKE_SOURCE_DIR}/src/app/filsok.manifest manifest)
string(REPLACE "processorArchitecture=\"X86\"" "processorArchitecture=\"amd64\"" manifest "${manifest}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/filsok.manifest CONTENT "${manifest}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/filsok.manifest)

# MinGW's runtime, which Qt's DLLs need as well.
set(filsok_runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "MinGW's ${dll} was not found (${CMAKE_CXX_COMPILER} -print-file-name)")
  endif()
  get_filename_component(found "${found}" REALPATH)
  list(APPEND filsok_runtime_dlls "${found}")
endforeach()

# Qt's DLLs and the two plugins: the windows platform and its native style.
set(filsok_qt_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)

# What the scripts take from this build: its version (for the zip and the
# installer) and the folders of the DLLs above, where Wine finds them when it
# runs the tests (tests/wine/run.sh).
set(filsok_dll_folders)
foreach(dll ${filsok_runtime_dlls})
  get_filename_component(folder "${dll}" DIRECTORY)
  list(APPEND filsok_dll_folders "${folder}")
endforeach()
list(REMOVE_DUPLICATES filsok_dll_folders)
list(JOIN filsok_dll_folders ":" filsok_dll_folders)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/windows-build.env CONTENT
  "version='${PROJECT_VERSION}'\ndll_folders='$<TARGET_FILE_DIR:Qt6::Core>:${filsok_dll_folders}'\n")
set(filsok_platform_plugin $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
set(filsok_style_plugin $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)

add_custom_command(TARGET filsok POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:filsok>/platforms $<TARGET_FILE_DIR:filsok>/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${filsok_qt_dlls} ${filsok_runtime_dlls} $<TARGET_FILE_DIR:filsok>
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${filsok_platform_plugin} $<TARGET_FILE_DIR:filsok>/platforms
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${filsok_style_plugin} $<TARGET_FILE_DIR:filsok>/styles
  VERBATIM)

# The installed program is one folder: filsok.exe with its DLLs and plugins,
# the licence texts of the program and of Qt.
install(FILES ${filsok_qt_dlls} ${filsok_runtime_dlls} DESTINATION .)
install(FILES ${filsok_platform_plugin} DESTINATION platforms)
install(FILES ${filsok_style_plugin} DESTINATION styles)
# The program is GPL-3.0-or-later: the repository's LICENSE, or the GPL's
# text as Debian keeps it.
if(EXISTS ${CMAKE_SOURCE_DIR}/LICENSE)
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
else()
  install(FILES /usr/share/common-licenses/GPL-3 DESTINATION . RENAME LICENSE.txt)
endif()
# Qt's own licence texts, kept with Qt by scripts/windows-qt.sh.
get_filename_component(filsok_qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
if(EXISTS ${filsok_qt_prefix}/licenses)
  install(DIRECTORY ${filsok_qt_prefix}/licenses/ DESTINATION licenses/Qt)
else()
  message(WARNING "Qt's licence texts are not in ${filsok_qt_prefix}/licenses; the installed program lacks them")
endif()
