#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one Windows program of the build under Wine: run.sh BUILD_ENV PROGRAM
# [ARGUMENTS...]. BUILD_ENV is the build's windows-build.env
# (cmake/windows.cmake), which names the folders of Qt's DLLs (its plugins
# are found beside them) and of MinGW's runtime; the Wine prefix is
# $WINEPREFIX, which scripts/windows.sh makes once per build folder. Run it
# from a folder without DLLs of its own (ctest runs the tests in
# build-windows/tests). Ends with the program's exit status.
set -euo pipefail
dll_folders=
source "$1"
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
WINEPATH=
IFS=: read -r -a folders <<<"$dll_folders"
for folder in "${folders[@]}"; do
  WINEPATH="${WINEPATH:+$WINEPATH;}Z:${folder//\//\\}"
done
export WINEPATH
# The fonts the window is designed with, for Qt's offscreen platform, which
# on Windows reads the fonts of one folder only (tests/support/test_main.cpp).
export FILSOK_TEST_FONT_FOLDER='Z:\usr\share\fonts\truetype\liberation2'
exec wine "$@"
