#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Filsök for 64-bit Windows on Debian 12 and tests it under Wine:
# installs what is missing, builds Qt for Windows once (scripts/windows-qt.sh,
# cached in ~/.cache/filsok-windows), builds filsok.exe and every test
# program in build-windows/ (or $FILSOK_WINDOWS_BUILD_DIR), runs the test
# programs and the end-to-end test of the window under Wine on a virtual X
# server, makes the installer and the zip, tries the installer silently under
# Wine, and prints where the installer and the zip are.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${FILSOK_WINDOWS_BUILD_DIR:-$here/build-windows}"
jobs="$(nproc)"
start=$(date +%s)

step() { echo "== $* ($(( $(date +%s) - start )) s)"; }

step "Packages"
bash "$here/scripts/windows-setup.sh"

step "Qt for Windows"
qt="$(bash "$here/scripts/windows-qt.sh" | tail -n 1)"
[ -f "$qt/.complete" ] || { echo "windows.sh: no Qt for Windows in '$qt'" >&2; exit 1; }

step "Building filsok.exe and the test programs in $build"
cmake -S "$here" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="bash;$here/tests/wine/run.sh;$build/windows-build.env" \
  -DFILSOK_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs"

# Everything Wine does happens in a prefix of the build folder's own, on a
# private virtual X server: nothing of the caller's Wine or desktop is used.
source "$here/tests/wine/lib/wine.bash"
export WINEPREFIX="$build/wine"
wine_start_display "$build/xvfb"
trap wine_stop_display EXIT
step "Wine prefix $WINEPREFIX"
wine_prefix_ready "$WINEPREFIX"

step "Tests under Wine"
# Each test program runs whole (tests/CMakeLists.txt), so two at a time.
ctest --test-dir "$build" --output-on-failure -j"$jobs"

step "The installed program, the zip and the installer"
version=
source "$build/windows-build.env"
stage="$build/stage/filsok-$version"
rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
# The DLLs come with their symbols (MinGW's libstdc++ alone is 23 MB); a
# user needs none of them.
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
zip="$build/filsok-$version-windows-x64.zip"
rm -f "$zip"
(cd "$build/stage" && zip -q -r -X "$zip" "filsok-$version")

# The uninstaller removes exactly what the installer put down.
files="$build/stage/uninstall-files.nsh"
{
  (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
} >"$files"
setup="$build/filsok-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$files" \
  -DICON="$here/src/app/filsok.ico" -DOUTFILE="$setup" "$here/data/filsok.nsi"

step "The installer under Wine"
bash "$here/tests/wine/installer.sh" "$setup" "$stage"

step "Done"
echo "Installer: $setup"
echo "Zip:       $zip"
