#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window comes back where the user left it: on a real X server with a
# window manager, the window is moved and resized, closed, and started again
# three times; each start must give the same place and size, and each close
# must have written the placement into the settings file.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
e2e_skip_unless_tools
start_session

# "x y width height" of the program's window as the X server has it.
geometry() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
  echo "$X $Y $WIDTH $HEIGHT"
}

# Waits until the window manager has placed the window and it stays put.
settled_geometry() {
  local last="" now
  for _ in $(seq 50); do
    now=$(geometry)
    [ "$now" = "$last" ] && { echo "$now"; return; }
    last="$now"
    sleep 0.3
  done
  echo "$now"
}

settings_file() {
  find "$XDG_CONFIG_HOME" -name '*.ini' -print -quit
}

close_and_check_saved() {
  local ini status=0
  close_program || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status after closing"
  ini=$(settings_file)
  [ -n "$ini" ] || fail "no settings file after closing"
  grep -q '^NormPos=' "$ini" || fail "no NormPos in $ini"
}

start_program "$program"
designed=$(settled_geometry)
xdotool windowmove "$E2E_WINDOW" 210 140
xdotool windowsize "$E2E_WINDOW" 820 610
settled_geometry >/dev/null
expected=$(settled_geometry)
[ "$expected" != "$designed" ] || fail "the window did not move ($designed)"
close_and_check_saved

for run in 1 2 3; do
  start_program "$program"
  got=$(settled_geometry)
  [ "$got" = "$expected" ] || fail "run $run: window at '$got', expected '$expected' (NormPos: $(grep '^NormPos=' "$(settings_file)"))"
  close_and_check_saved
done
echo "PASS: placement comes back ($expected) three runs in a row"
