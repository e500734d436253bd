#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# First start of the built program on a real X server, with no locale set as
# on a fresh machine: the title and the designed defaults with their Swedish
# letters, the focus in the folder box, Tab walking the cycle, and a close by
# the window manager ending the program with status 0.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
e2e_skip_unless_tools
start_session
start_program "$program" --no-locale

title=$(timeout 5 xdotool getwindowname "$E2E_WINDOW")
[ "$title" = "Filsök - fritt verktyg 2026" ] || fail "the window's title is '$title'"

expect_text() {
  local got
  got=$(focused_text)
  [ "$got" = "$1" ] || fail "expected '$1' in $2, got '$got'"
}

expect_text "/tmp" "the folder box (focused at start)"
press Tab
expect_text "*.asp" "the mask box"
# Fetch button, subfolders box and convert button come next, then the memos.
press Tab Tab Tab Tab
expect_text "Filer" "the file list"
press Tab
expect_text "Sökresultat" "the result memo"
press Tab
expect_text "conn." "the search box"
# Search button and case box, then round to the folder box.
press Tab Tab Tab
expect_text "/tmp" "the folder box after the whole cycle"
press shift+Tab shift+Tab shift+Tab
expect_text "conn." "the search box, walking backwards"

close_program
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing"
echo "PASS: first start"
