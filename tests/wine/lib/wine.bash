# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/windows.sh and the tests under Wine: a private virtual X
# server, and a Wine prefix made once and kept. Source it.
#
# Wine prints its own notes (missing 32-bit Wine, unimplemented calls) on
# standard error; none of them concern the program, so they are off.
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs .NET or a web view, and a new prefix
# would otherwise offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names the files of the Unix side in the character set of the Unix
# locale: with none set (a fresh machine) a name holding an "å" cannot be
# made at all; the tools that read and type the window's texts (xdotool,
# xclip) need it for å, ä and ö as well. C.UTF-8 is on every Debian.
export LC_ALL=C.UTF-8

# wine_wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; false
# when SECONDS have passed without success.
wine_wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/scripts/lib/x-session.bash"

# wine_start_display FOLDER: starts Xvfb on a free display (its number and
# log go into FOLDER) and exports DISPLAY.
wine_start_display() { x_session_start "$1"; }

# Ends the X server wine_start_display started, and the prefix's Wine server
# with it (its programs would lose their display anyway).
wine_stop_display() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 10 wineserver -k >/dev/null 2>&1 || true
  fi
  x_session_stop
}

# wine_prefix_ready PREFIX: makes the 64-bit Wine prefix PREFIX unless it is
# there already, and waits until its Wine server has written it out.
wine_prefix_ready() {
  local prefix=$1
  export WINEPREFIX="$prefix"
  export WINEARCH=win64
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot --init >"${prefix%/}.log" 2>&1 || { cat "${prefix%/}.log" >&2; return 1; }
  fi
  wineserver -w
}

# wine_path UNIX_PATH: the path as a Windows program sees it, on drive Z:.
wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s\n' "${path//\//\\}"
}

# wine_use_desktop: every program of the prefix runs in one Wine desktop of
# the X server's size, where Wine draws the frames itself, as Windows would,
# with no X window manager in between.
wine_use_desktop() {
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null
  # The desktop is made when the first program after this starts.
  wineserver -k
  wineserver -w
}

# wine_window_of TITLE_REGEX: the X window of the program's window, once it
# is there (up to 60 s); empty when it does not come.
wine_window_of() {
  local deadline=$((SECONDS + 60)) window=""
  while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.5
    window=$(timeout 5 xdotool search --name "$1" 2>/dev/null | head -n 1)
  done
  echo "$window"
}

# Gives the Wine desktop the keyboard; Wine hands it to the active window.
wine_focus_desktop() {
  local desktop
  desktop=$(timeout 5 xdotool search --name 'Wine desktop' 2>/dev/null | head -n 1)
  [ -z "$desktop" ] || xdotool windowfocus "$desktop" 2>/dev/null || true
}
