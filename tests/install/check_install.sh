#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks that exactly the desktop
# program's files arrive there: the executable, the menu entry and the icon in
# two sizes, the software-centre metadata, the manual page, the copyright
# file and the changelog, each the file it is built or copied from, and
# nothing else (no static library, test or benchmark program).
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
# The entry is named after the program's id, which the metainfo must carry.
entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "not exactly one menu entry in share/applications"
entry="${entries[0]}"
id=$(basename "$entry" .desktop)
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
manpage="$prefix/share/man/man1/filsok.1.gz"
copyright="$prefix/share/doc/filsok/copyright"
changelog="$prefix/share/doc/filsok/changelog.gz"
icon32="$prefix/share/icons/hicolor/32x32/apps/filsok.png"
icon64="$prefix/share/icons/hicolor/64x64/apps/filsok.png"

[ -f "$program" ] && [ -x "$program" ] || fail "no executable $program"
[ -f "$entry" ] || fail "no menu entry $entry"
[ -f "$icon32" ] || fail "no 32x32 icon $icon32"
[ -f "$icon64" ] || fail "no 64x64 icon $icon64"

[ -f "$metainfo" ] || fail "no metainfo named after the entry's id $id"
[ -f "$manpage" ] || fail "no manual page $manpage"
[ -f "$copyright" ] || fail "no copyright file $copyright"
[ -f "$changelog" ] || fail "no changelog $changelog"

cmp -s "$entry" "$source/data/filsok.desktop" || fail "the installed entry differs from data/filsok.desktop"
cmp -s "$icon32" "$source/src/app/filsok.png" || fail "the 32x32 icon is not src/app/filsok.png"
cmp -s "$icon64" "$source/src/app/filsok-64.png" || fail "the 64x64 icon is not src/app/filsok-64.png"
cmp -s "$copyright" "$source/debian/copyright" || fail "the copyright file is not debian/copyright"
gzip -dc "$changelog" | cmp -s - "$source/debian/changelog" || fail "changelog.gz is not debian/changelog"

# The release the changelog's top entry names (the build checks it is the
# project's version) is the one the metainfo and the manual page give.
version=$(sed -n '1s/^filsok (\([^)]*\)).*/\1/p' "$source/debian/changelog")
[ -n "$version" ] || fail "debian/changelog does not begin with an entry of filsok"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not the entry's name $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" "$metainfo" \
  || fail "the metainfo's release is not $version with a date"
gzip -dc "$manpage" | grep -q "^\.TH FILSOK 1 \"[0-9-]*\" \"Filsök $version\"" \
  || fail "the manual page's title line does not give version $version"

# What a software centre and man read must pass their own checks.
command -v appstreamcli >/dev/null || fail "appstreamcli not found (package appstream)"
appstreamcli validate --no-net "$metainfo" >"$prefix.log" 2>&1 \
  || { cat "$prefix.log"; rm -f "$prefix.log"; fail "appstreamcli rejects the metainfo"; }
rm -f "$prefix.log"
command -v man >/dev/null || fail "man not found (package man-db)"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manpage" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; fail "man warns about the manual page"; }

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

expected=$(printf '%s\n' bin/filsok "share/applications/$id.desktop" \
  share/icons/hicolor/32x32/apps/filsok.png share/icons/hicolor/64x64/apps/filsok.png \
  "share/metainfo/$id.metainfo.xml" share/man/man1/filsok.1.gz \
  share/doc/filsok/copyright share/doc/filsok/changelog.gz | sort)
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
if [ "$installed" != "$expected" ]; then
  echo "installed:"
  echo "$installed"
  fail "the install holds other files than the program, its entry, icons, metainfo and documents"
fi

echo "PASS: install layout"
