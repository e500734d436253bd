# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end tests: a private virtual X server with a small
# window manager, a fresh home and settings folder, and helpers to drive and
# read the program's window. Source it, then call start_session.
#
# Nothing here depends on the caller's locale or desktop. The tools that read
# and type text (xdotool, xclip, and bash itself when it counts characters)
# need a UTF-8 locale for å, ä and ö, so they get C.UTF-8, which every Debian
# has; the program gets the same unless a test starts it with no locale at all.
export LC_ALL=C.UTF-8
unset LANGUAGE

# Exit status CTest reads as "skipped" (SKIP_RETURN_CODE in tests/CMakeLists.txt).
E2E_SKIP=77

e2e_skip_unless_tools() {
  local missing=() tool
  for tool in Xvfb openbox xdotool xclip; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]} (scripts/setup.sh installs them)"
    exit "$E2E_SKIP"
  fi
}

fail() {
  echo "FAIL: $*"
  if [ -s "${E2E_TMP:-}/program.log" ]; then
    echo "--- the program's standard error:"
    cat "$E2E_TMP/program.log"
  fi
  exit 1
}

source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/scripts/lib/x-session.bash"

wait_until() { x_wait_until "$@"; }

start_session() {
  E2E_TMP=$(mktemp -d)
  trap stop_session EXIT
  export HOME="$E2E_TMP/home"
  export XDG_CONFIG_HOME="$HOME/.config"
  export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  # Nothing of the caller's desktop reaches the program: no session bus, no
  # Wayland, no Qt scaling, style or platform of the caller's choosing.
  unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
  local name
  for name in $(compgen -e); do
    case $name in QT_*) unset "$name" ;; esac
  done
  export QT_QPA_PLATFORM=xcb
  x_session_start "$E2E_TMP" --window-manager || fail "no virtual X server with a window manager"
}

stop_process() { x_stop_process "$@"; }

stop_session() {
  stop_process "${E2E_PROGRAM:-}"
  x_session_stop
  rm -rf "$E2E_TMP"
}

# start_program PROGRAM [--no-locale]: starts the program and waits until its
# window is visible and active. The window is found by the program's process,
# not by its title, which holds an "ö". With --no-locale the program gets no
# LANG, LANGUAGE or LC_* at all, as on a fresh machine.
start_program() {
  local program=$1 environment=() name
  if [ "${2:-}" = --no-locale ]; then
    environment=(-u LANG -u LANGUAGE)
    for name in $(compgen -e); do
      case $name in LC_*) environment+=(-u "$name") ;; esac
    done
  fi
  env "${environment[@]}" "$program" 2>>"$E2E_TMP/program.log" &
  E2E_PROGRAM=$!
  E2E_WINDOW=""
  local deadline=$((SECONDS + 20))
  while [ -z "$E2E_WINDOW" ]; do
    kill -0 "$E2E_PROGRAM" 2>/dev/null || fail "the program ended before its window appeared"
    [ "$SECONDS" -lt "$deadline" ] || fail "the window did not appear within 20 s"
    sleep 0.2
    E2E_WINDOW=$(timeout 5 xdotool search --onlyvisible --pid "$E2E_PROGRAM" 2>/dev/null | head -n 1)
  done
  if [ ${#environment[@]} -gt 0 ] && tr '\0' '\n' <"/proc/$E2E_PROGRAM/environ" | grep -q '^\(LANG\|LANGUAGE\|LC_[A-Z_]*\)='; then
    fail "the program was meant to run with no locale but has one"
  fi
  activate_window
  sleep 0.5
}

activate_window() {
  timeout 10 xdotool windowactivate --sync "$E2E_WINDOW" >/dev/null 2>&1 \
    || fail "the window manager did not activate the window within 10 s"
}

# Closes the window with the window manager's close keystroke, sent to the
# active window as a user's key press is, and returns the program's exit status.
close_program() {
  activate_window
  xdotool key --clearmodifiers alt+F4
  local status=0
  timeout 20 tail --pid="$E2E_PROGRAM" -f /dev/null || fail "the program did not end within 20 s of alt+F4"
  wait "$E2E_PROGRAM" || status=$?
  E2E_PROGRAM=""
  return $status
}

clipboard() {
  timeout 5 xclip -o -selection clipboard 2>/dev/null
}

# The text of the focused edit or memo: select all, copy, read the clipboard.
focused_text() {
  printf '' | xclip -selection clipboard
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.3
  clipboard
}

press() {
  xdotool key --clearmodifiers "$@"
  sleep 0.2
}
