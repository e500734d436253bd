#!/usr/bin/env bash
# Command one of the quick start: installs what is missing, builds and starts
# Filsök. Without a display it starts the program on a virtual X server, saves
# a screenshot of the window, closes the window as a user would and says where
# the screenshot is.
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

display=99
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
export DISPLAY=":${display}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# A small window manager frames and closes the window as a desktop would.
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

"$program" &
program_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Filsök" | head -n 1)
sleep 1
import -window "$window" -frame "$shot" 2>/dev/null || import -window root "$shot"
# Close the window as a user would: the window manager's close keystroke.
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key --window "$window" --clearmodifiers alt+F4
status=0
wait "$program_pid" || status=$?
program_pid=""
echo "Filsök ran on a virtual X server ($DISPLAY) and closed with status $status."
echo "Screenshot: $shot"
