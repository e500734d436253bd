#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks that exactly the desktop
# program's files arrive there: the executable, the menu entry and the icon in
# two sizes, each the file it is built or copied from, and nothing else (no
# static library, test or benchmark program).
# Arguments: the cmake program, the build folder, the source folder.
set -u
cmake="$1"
build="$2"
source="$3"

fail() {
  echo "FAIL: $*"
  exit 1
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 \
  || { cat "$prefix.log"; rm -f "$prefix.log"; fail "cmake --install failed"; }
rm -f "$prefix.log"

program="$prefix/bin/filsok"
entry="$prefix/share/applications/filsok.desktop"
icon32="$prefix/share/icons/hicolor/32x32/apps/filsok.png"
icon64="$prefix/share/icons/hicolor/64x64/apps/filsok.png"

[ -f "$program" ] && [ -x "$program" ] || fail "no executable $program"
[ -f "$entry" ] || fail "no menu entry $entry"
[ -f "$icon32" ] || fail "no 32x32 icon $icon32"
[ -f "$icon64" ] || fail "no 64x64 icon $icon64"

cmp -s "$entry" "$source/data/filsok.desktop" || fail "the installed entry differs from data/filsok.desktop"
cmp -s "$icon32" "$source/src/app/filsok.png" || fail "the 32x32 icon is not src/app/filsok.png"
cmp -s "$icon64" "$source/src/app/filsok-64.png" || fail "the 64x64 icon is not src/app/filsok-64.png"

# The menu starts the program by the entry's Exec and shows the icon by its
# Icon name: both must point at what was installed.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ -n "$exec_line" ] || fail "the entry has no Exec line"
# The program reads no arguments, so the entry hands it no file (%f, %U).
case "$exec_line" in *%*) fail "Exec=$exec_line passes a field code to a program that takes no arguments" ;; esac
exec_program=${exec_line%% *}
[ -x "$prefix/bin/$exec_program" ] || fail "Exec=$exec_line names no program in bin/"
[ "$icon_name.png" = "$(basename "$icon32")" ] || fail "Icon=$icon_name does not name the installed icon"

expected=$(printf '%s\n' bin/filsok share/applications/filsok.desktop \
  share/icons/hicolor/32x32/apps/filsok.png share/icons/hicolor/64x64/apps/filsok.png | sort)
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
if [ "$installed" != "$expected" ]; then
  echo "installed:"
  echo "$installed"
  fail "the install holds other files than the program, its entry and its icons"
fi

echo "PASS: install layout"
