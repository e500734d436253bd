# SPDX-License-Identifier: GPL-3.0-or-later
# A virtual X server for the scripts, the end-to-end tests and the
# benchmarks, started one way everywhere. Source it, then:
#
#   x_session_start FOLDER [--window-manager]
#
# starts Xvfb on a display it picks itself (its number and its log go into
# FOLDER) and exports DISPLAY; with --window-manager also openbox, waited for
# until it manages the screen, then one key press that settles the keyboard.
# x_session_stop ends what x_session_start started. Both return non-zero,
# with the log on standard error, when something does not start in 20 s.

# x_wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; false when
# SECONDS have passed without success.
x_wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

X_SESSION_PIDS=()

x_session_start() {
  local folder=$1
  mkdir -p "$folder"
  rm -f "$folder/display" "$folder/openbox-ready"
  # The X server writes its display's number once it takes connections, so
  # two sessions on one machine never collide.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
  X_SESSION_PIDS+=($!)
  if ! x_wait_until 20 test -s "$folder/display"; then
    cat "$folder/xvfb.log" >&2
    echo "the virtual X server did not start within 20 s" >&2
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$folder/display")"
  [ "${2:-}" = --window-manager ] || return 0
  # openbox runs its --startup command once it manages the screen and its
  # event loop runs; a window mapped before that (while it still loads its
  # theme and menus) may never be managed, and so never shown.
  openbox --startup "touch '$folder/openbox-ready'" >"$folder/openbox.log" 2>&1 &
  X_SESSION_PIDS+=($!)
  if ! x_wait_until 20 test -e "$folder/openbox-ready"; then
    cat "$folder/openbox.log" >&2
    echo "openbox did not start on $DISPLAY within 20 s" >&2
    return 1
  fi
  # The first synthetic key press on a new X server switches its keyboard to
  # the XTEST device, which changes the keyboard map; openbox then drops and
  # takes again its key bindings, and a keystroke sent in that moment (an
  # alt+F4) is lost. One harmless key press now, long before a program's
  # window is there, gets that over with.
  xdotool key shift
}

# x_stop_process PID: ends a process, by force if it has not ended 5 seconds
# after being asked to.
x_stop_process() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  timeout 5 tail --pid="$pid" -f /dev/null || kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

x_session_stop() {
  local i
  for ((i = ${#X_SESSION_PIDS[@]} - 1; i >= 0; i--)); do
    x_stop_process "${X_SESSION_PIDS[$i]}"
  done
  X_SESSION_PIDS=()
}
