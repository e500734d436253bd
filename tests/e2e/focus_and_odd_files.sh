#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a user meets at once, on a real X server: the program ignores the
# toolkit's own options on its command line; the folder box has its text
# selected at start, so typing replaces it; a named pipe in the file list
# stops the search and the conversion with their error boxes instead of
# freezing the window; after each box the window answers again, and an edit
# that gets the focus back has its text selected again.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
e2e_skip_unless_tools
start_session

data="$E2E_TMP/data"
mkdir -p "$data"
printf 'conn.Open\r\n' >"$data/a.asp"
mkfifo "$data/pipe.asp"

# Options that Qt would take for itself; the window must still come up on
# this X server, at its designed size.
with_options="$E2E_TMP/filsok-with-options"
printf '#!/bin/sh\nexec "%s" -platform offscreen -reverse -qwindowgeometry 300x200+0+0\n' "$program" >"$with_options"
chmod +x "$with_options"
start_program "$with_options"
eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
[ "$WIDTH x $HEIGHT" = "940 x 516" ] || fail "the window is $WIDTH x $HEIGHT, not 940 x 516"

expect_text() {
  local got
  got=$(focused_text)
  [ "$got" = "$1" ] || fail "expected '$1' in $2, got '$got'"
}

# The error box (captioned with the program's name): waits for it, reads
# its text (a triple-click on the message selects it for X's primary
# selection), and closes it with Enter.
expect_box() {
  local box text WIDTH HEIGHT X Y SCREEN WINDOW
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '^filsok$' | head -n 1)
  [ -n "$box" ] || fail "no error box for $2: the window does not answer"
  xdotool windowactivate --sync "$box" >/dev/null 2>&1
  sleep 0.3
  eval "$(xdotool getwindowgeometry --shell "$box")"
  printf '' | xclip -selection primary
  xdotool mousemove --window "$box" $((WIDTH / 2)) 20 click --repeat 3 --delay 80 1
  sleep 0.3
  text=$(xclip -o -selection primary 2>/dev/null)
  [ "$text" = "$1" ] || fail "the box for $2 says '$text', not '$1'"
  press Return
  sleep 0.5
}

# The first focus selects the folder box's text: typing replaces it.
xdotool type --delay 20 "$data"
expect_text "$data" "the folder box after typing at once"

# The file list: a file, then the pipe.
press Tab Tab Tab Tab Tab
press ctrl+a
xdotool type --delay 10 "$data/a.asp"
press Return
xdotool type --delay 10 "$data/pipe.asp"
press Tab Tab
press Return
expect_box "Cannot open file $data/pipe.asp." "the search"
# The focus is back in the search box, with its text selected.
xdotool type --delay 20 "zzz"
expect_text "zzz" "the search box after the error box"

# To the convert button: search button, case box, folder box, mask box,
# fetch button, subfolders box, convert button.
press Tab Tab Tab Tab Tab Tab Tab
press space
expect_box "File access denied." "the conversion"
[ "$(head -c 3 "$data/a.asp" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "a.asp before the pipe was not converted"
press Tab
expect_text "$data/a.asp
$data/pipe.asp" "the file list after the conversion"

close_program
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing"
echo "PASS: focus and odd files"
