#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one Windows program of the build under Wine: run.sh QT_PREFIX PROGRAM
# [ARGUMENTS...]. Qt's DLLs come from QT_PREFIX/bin (its plugins from
# QT_PREFIX/plugins beside them), MinGW's from the cross compiler; the Wine
# prefix is $WINEPREFIX, which scripts/windows.sh makes once per build
# folder. Run it from a folder without DLLs of its own (ctest runs the tests
# in build-windows/tests). Ends with the program's exit status.
set -euo pipefail
qt_prefix=$1
shift
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix to run in}"
export WINEPREFIX
# Wine's own chatter off; the program's output stays.
export WINEDEBUG=-all
# Wine names the files of the Unix side in the Unix locale's character set:
# a UTF-8 one, so that every name the tests make can be made (C.UTF-8 is on
# every Debian).
export LC_ALL=C.UTF-8
# Wine takes Windows paths here; drive Z: is the root of the file system.
qt_windows="Z:${qt_prefix//\//\\}"
# Qt's DLLs, and MinGW's runtime, which they and the programs need.
WINEPATH="$qt_windows\\bin"
for dll in libstdc++-6.dll libwinpthread-1.dll; do
  folder=$(dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")
  WINEPATH="$WINEPATH;Z:${folder//\//\\}"
done
export WINEPATH
# The fonts the window is designed with, for Qt's offscreen platform, which
# on Windows reads the fonts of one folder only (tests/support/test_main.cpp).
export FILSOK_TEST_FONT_FOLDER='Z:\usr\share\fonts\truetype\liberation2'
exec wine "$@"
