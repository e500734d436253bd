#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Command one of the quick start: installs what is missing, builds and starts
# Filsök. Without a display it starts the program on a virtual X server, saves
# a screenshot of the window, closes the window as a user would and says where
# the screenshot is; it ends with the program's exit status. Every wait has a
# time limit, so a failure ends with a message, never a hang.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh"
build="${FILSOK_BUILD_DIR:-$here/build}"
program="$build/filsok"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

shots="$here/screenshots"
mkdir -p "$shots"
shot="$shots/filsok.png"

fail() {
  echo "run.sh: $*" >&2
  exit 1
}

work=$(mktemp -d)
xvfb=""
wm=""
program_pid=""
cleanup() {
  local pid
  for pid in "$program_pid" "$wm" "$xvfb"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || continue
    timeout 5 tail --pid="$pid" -f /dev/null || kill -KILL "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; false when
# SECONDS have passed without success.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# The X server picks a free display and writes its number once it takes
# connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
if ! wait_until 20 test -s "$work/display"; then
  cat "$work/xvfb.log" >&2
  fail "the virtual X server did not start within 20 s"
fi
export DISPLAY=":$(head -n 1 "$work/display")"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
# The program goes to this X server, whatever platform the caller's Qt
# settings name.
export QT_QPA_PLATFORM=xcb

# A small window manager frames and closes the window as a desktop would.
# It runs its --startup command once it manages the screen and its event
# loop runs; a window mapped before that may never be managed, nor shown.
openbox --startup "touch '$work/openbox-ready'" >"$work/openbox.log" 2>&1 &
wm=$!
if ! wait_until 20 test -e "$work/openbox-ready"; then
  cat "$work/openbox.log" >&2
  fail "openbox did not start on $DISPLAY within 20 s"
fi
# The first synthetic key press on a new X server switches its keyboard to
# the XTEST device, which changes the keyboard map; openbox then drops and
# takes again its key bindings, and a keystroke sent in that moment (an
# alt+F4) is lost. One harmless key press now, long before the program's
# window is there, gets that over with.
xdotool key shift

"$program" &
program_pid=$!
# Found by its process: the title holds an "ö", which xdotool cannot match
# in a locale that is not UTF-8.
window=""
deadline=$((SECONDS + 30))
while [ -z "$window" ]; do
  if ! kill -0 "$program_pid" 2>/dev/null; then
    status=0
    wait "$program_pid" || status=$?
    program_pid=""
    fail "Filsök ended with status $status before its window appeared"
  fi
  [ "$SECONDS" -lt "$deadline" ] || fail "the Filsök window did not appear within 30 s"
  sleep 0.2
  window=$(timeout 5 xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -n 1) || true
done
sleep 1
timeout 20 import -window "$window" -frame "$shot" 2>/dev/null \
  || timeout 20 import -window root "$shot" \
  || fail "could not save the screenshot $shot"

# Close the window as a user would: the window manager's close keystroke,
# pressed while the window is the active one.
timeout 10 xdotool windowactivate --sync "$window" >/dev/null 2>&1 \
  || fail "the window manager did not activate the Filsök window within 10 s"
xdotool key --clearmodifiers alt+F4
timeout 20 tail --pid="$program_pid" -f /dev/null \
  || fail "Filsök did not close within 20 s of alt+F4 (screenshot: $shot)"
status=0
wait "$program_pid" || status=$?
program_pid=""
echo "Filsök ran on a virtual X server ($DISPLAY) and closed with status $status."
echo "Screenshot: $shot"
exit "$status"
