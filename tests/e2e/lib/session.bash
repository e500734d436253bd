# Shared by the end-to-end tests: a private virtual X server with a small
# window manager, a fresh home and settings folder, and helpers to drive and
# read the program's window. Source it, then call start_session.

e2e_skip_unless_tools() {
  local missing=()
  for tool in Xvfb openbox xdotool xclip xdpyinfo; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]}"
    exit 0
  fi
}

start_session() {
  E2E_TMP=$(mktemp -d)
  export HOME="$E2E_TMP/home"
  export XDG_CONFIG_HOME="$HOME/.config"
  export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
  local display=$((100 + RANDOM % 400))
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
  done
  export DISPLAY=":${display}"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  E2E_XVFB=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  E2E_WM=$!
  sleep 0.5
  trap stop_session EXIT
}

stop_session() {
  [ -n "${E2E_PROGRAM:-}" ] && kill "$E2E_PROGRAM" 2>/dev/null
  [ -n "${E2E_WM:-}" ] && kill "$E2E_WM" 2>/dev/null
  [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$E2E_TMP"
}

fail() {
  echo "FAIL: $*"
  exit 1
}

# Starts the program and waits until its window is visible and active.
start_program() {
  "$1" &
  E2E_PROGRAM=$!
  E2E_WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "Filsök" | head -n 1)
  [ -n "$E2E_WINDOW" ] || fail "the window did not appear"
  xdotool windowactivate --sync "$E2E_WINDOW" >/dev/null 2>&1
  sleep 0.5
}

# Closes the window with the window manager's close keystroke and returns
# the program's exit status.
close_program() {
  xdotool windowactivate --sync "$E2E_WINDOW" >/dev/null 2>&1
  xdotool key --clearmodifiers alt+F4
  local status=0
  timeout 20 tail --pid="$E2E_PROGRAM" -f /dev/null || fail "the program did not end after closing"
  wait "$E2E_PROGRAM" || status=$?
  E2E_PROGRAM=""
  return $status
}

# The text of the focused edit or memo: select all, copy, read the clipboard.
focused_text() {
  printf '' | xclip -selection clipboard
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null
}

press() {
  xdotool key --clearmodifiers "$@"
  sleep 0.2
}
