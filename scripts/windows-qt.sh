#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt 6 for 64-bit Windows with MinGW-w64, from Debian's own qt6-base
# source (the same version as the Linux build), once: the result is cached in
# $FILSOK_WINDOWS_CACHE (default ~/.cache/filsok-windows), in a folder named by
# Qt's version and a hash of the configure options and the toolchain file, and
# later runs reuse it. Prints the folder of the installed Qt on its last line.
# With --cached-only it builds nothing and ends with status 3 when the cache
# does not hold this Qt.
# Expects the packages of scripts/windows-setup.sh to be installed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cache="${FILSOK_WINDOWS_CACHE:-$HOME/.cache/filsok-windows}"
toolchain="$here/cmake/mingw-w64-x86_64.cmake"

qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[-+].*//')"

# What Filsök needs: Core, Gui, Widgets, Test, the windows platform plugin
# (and offscreen and minimal for the tests), the Windows styles. Everything
# else is off, and Qt's bundled copies stand in for the system libraries.
# The last three lines let Debian's tarball build unpatched: OpenGL off for
# good (OFF alone leaves dynamicgl on), no Direct2D/DirectWrite 3 (MinGW's
# headers lack them), no tablet events (Debian's tarball drops wintab).
options=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_opengl=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_accessibility=ON
  -DINPUT_opengl=no
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  -DFEATURE_tabletevent=OFF
)
# Comments do not change what is built, so they do not change the key.
key="$( (printf '%s\n' "${options[@]}"; grep -v '^#' "$toolchain") | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw-$key"

if [ -f "$prefix/.complete" ]; then
  echo "Qt $qt_version for Windows: cached in $prefix"
  echo "$prefix"
  exit 0
fi
# --cached-only: only say whether it is there (exit status 3 when not).
if [ "${1:-}" = --cached-only ]; then
  echo "Qt $qt_version for Windows is not cached in $prefix"
  exit 3
fi

work="$cache/work-$qt_version"
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/sources"

# Debian's default sources carry no deb-src line: a private source list with
# the same archive, suites and keyring, without touching the system's.
suites="$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
cat > "$work/apt/sources/qt-source.sources" <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: ${suites:-bookworm}
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_private=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/apt/sources"
             -o "Dir::State::Lists=$work/apt/lists")
echo "Fetching the qt6-base $qt_version source from Debian's archive"
apt-get "${apt_private[@]}" update -qq
(cd "$work" && apt-get "${apt_private[@]}" source --download-only -qq "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)")
src_dsc="$(ls "$work"/qt6-base_*.dsc | head -n1)"
(cd "$work" && dpkg-source --no-check -x "$src_dsc" source >/dev/null)

echo "Configuring Qt $qt_version for Windows (MinGW-w64) into $prefix"
start=$(date +%s)
cmake -S "$work/source" -B "$work/build" "${options[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" > "$work/configure.log"
echo "Building Qt (about 35 minutes on 2 cores; the log is $work/build.log)"
cmake --build "$work/build" -j"$(nproc)" > "$work/build.log" 2>&1 || { tail -n 40 "$work/build.log"; exit 1; }
cmake --install "$work/build" > "$work/install.log"
# Qt's licence texts go with every copy of its DLLs: the source's own
# LICENSES folder and Debian's account of which part is under which.
mkdir -p "$prefix/licenses"
cp -r "$work/source/LICENSES/." "$prefix/licenses/"
cp "$work/source/debian/copyright" "$prefix/licenses/debian-copyright"
touch "$prefix/.complete"
echo "Qt for Windows built in $(( $(date +%s) - start )) s"
rm -rf "$work"
echo "$prefix"
