#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer under Wine, silently (/S), in a fresh Wine prefix on a
# private virtual X server: it puts the installed program (STAGE, the folder
# it was packed from) into Program Files with a Start menu entry and an
# uninstaller; the entry starts the program; the uninstaller, silently too,
# takes away every file and folder the installer made.
# installer.sh SETUP_EXE STAGE
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/wine.bash"
setup="$(realpath "$1")"
stage="$(realpath "$2")"

E2E_TMP=$(mktemp -d)
cleanup() {
  wine_stop_display
  rm -rf "$E2E_TMP"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

wine_start_display "$E2E_TMP/x" || fail "no virtual X server"
wine_prefix_ready "$E2E_TMP/wine" || fail "no Wine prefix"
wine_use_desktop
drive_c="$WINEPREFIX/drive_c"
target="$drive_c/Program Files/Filsök"
entry="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Filsök.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\filsok'
before="$E2E_TMP/before.txt"
(cd "$drive_c" && find . | sort) >"$before"

# --- Install.
wine "$setup" /S || fail "the installer ended with status $?"
wineserver -w
[ -f "$target/filsok.exe" ] || fail "no filsok.exe in $target"
missing=$( (cd "$stage" && find . -type f) | while read -r f; do cmp -s "$stage/$f" "$target/$f" || echo "$f"; done)
[ -z "$missing" ] || fail "installed files missing or different: $missing"
[ -f "$target/uninstall.exe" ] || fail "no uninstaller in $target"
[ -f "$entry" ] || fail "no Start menu entry $entry"
# The entry's target, as the shortcut's link information holds it (in the
# ANSI code page, Windows-1252 in this prefix).
iconv -f CP1252 -t UTF-8 -c <"$entry" | grep -qa 'C:\\Program Files\\Filsök\\filsok\.exe' \
  || fail "the Start menu entry does not lead to C:\\Program Files\\Filsök\\filsok.exe"
wine reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no uninstall entry in the registry"

# --- Started from the Start menu entry, through the shell as a click on
# it would; closed as a user closes it.
wine start /wait "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Filsök.lnk" \
  >"$E2E_TMP/program.log" 2>&1 &
started=$!
window=$(wine_window_of '^Filsök - ')
[ -n "$window" ] || fail "the program started from its Start menu entry showed no window within 60 s"
wine_focus_desktop
sleep 2
xdotool key --clearmodifiers alt+F4
timeout 30 tail --pid="$started" -f /dev/null || fail "the program did not end within 30 s of alt+F4"
wineserver -w

# --- Uninstall. The uninstaller copies itself away and goes on from there,
# so its end is waited for by what it removes.
wine "$target/uninstall.exe" /S || fail "the uninstaller ended with status $?"
wine_wait_until 60 test ! -e "$target" || fail "$target is still there 60 s after the uninstaller started"
wineserver -w
[ ! -e "$entry" ] || fail "the Start menu entry is still there"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry is still in the registry"
# Nothing else is left in drive C: than before, but the program's own
# settings (the registry is no file) and what Wine itself keeps.
left=$( (cd "$drive_c" && find . | sort) | comm -13 "$before" - \
  | grep -v -e '^./users/' -e '^./windows/' -e '^./ProgramData/Microsoft/Windows/Start Menu/Programs$' || true)
[ -z "$left" ] || fail "left behind after uninstalling: $left"
echo "PASS: installed, started from its Start menu entry, uninstalled without a trace"
