#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one Windows program of the build under Wine: run.sh QT_PREFIX PROGRAM
# [ARGUMENTS...]. Qt's DLLs come from QT_PREFIX/bin (and its plugins from
# QT_PREFIX/plugins, next to them); the Wine prefix is $WINEPREFIX, which
# scripts/windows.sh makes once per build folder. Ends with the program's
# exit status.
set -euo pipefail
qt_prefix=$1
shift
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix to run in}"
export WINEPREFIX
# Wine's own chatter off; the program's output stays.
export WINEDEBUG=-all
# Wine takes Windows paths here; drive Z: is the root of the file system.
export WINEPATH="Z:${qt_prefix//\//\\}\\bin"
exec wine "$@"
