#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Command one of the quick start: installs what is missing, builds and starts
# Filsök. Without a display it starts the program on a virtual X server, saves
# a screenshot of the window, closes the window as a user would and says where
# the screenshot is; it ends with the program's exit status. Every wait has a
# time limit, so a failure ends with a message, never a hang.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh" --run
# The program alone: its tests and benchmarks are the test command's.
bash "$here/scripts/build.sh" -DFILSOK_TESTS=OFF -DFILSOK_BENCH=OFF
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

source "$here/scripts/lib/x-session.bash"
work=$(mktemp -d)
program_pid=""
cleanup() {
  x_stop_process "$program_pid"
  x_session_stop
  rm -rf "$work"
}
trap cleanup EXIT

x_session_start "$work" --window-manager || fail "no virtual X server with a window manager"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
# The program goes to this X server, whatever platform the caller's Qt
# settings name.
export QT_QPA_PLATFORM=xcb

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
