#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opening a hit on a real X server, with no locale set as on a fresh machine:
# a file whose name holds å, ä and ö is listed and searched, a double-click on
# "Rad:0" opens nothing and a double-click on the path hands exactly that file
# to the desktop's opener (a stand-in xdg-open that writes down, decoded as a
# real opener decodes it, what it was asked to open).
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
e2e_skip_unless_tools
start_session

data="$E2E_TMP/data"
mkdir -p "$data" "$E2E_TMP/bin"
name="åäö.asp"
printf '<%% \r\n\tconn.Open "x"\r\n%%>\r\n' >"$data/$name"
opened="$E2E_TMP/opened"
cat >"$E2E_TMP/bin/xdg-open" <<SCRIPT
#!/usr/bin/env bash
url="\$*"
[ "\${url#file://}" != "\$url" ] || { echo "not a file URL: \$url" >>"$opened"; exit 1; }
path="\${url#file://}"
printf '%b\n' "\${path//%/\\\\x}" >>"$opened"
SCRIPT
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

start_program "$program" --no-locale

# The folder box has the focus at start; three steps back is the search box,
# which holds "conn." already. Enter lists the folder and searches it.
press ctrl+a
xdotool type --delay 20 "$data"
press shift+Tab shift+Tab shift+Tab
press Return
sleep 1

# The result memo starts below the file list, bar and splitter (295 pixels
# into the area inside the 6-pixel border); the hit is its third line.
memo_x=$((6 + 1 + 4))
memo_y=$((6 + 295 + 1 + 4))
line_y=$((memo_y + 2 * 13 + 6))
double_click() {
  xdotool mousemove --window "$E2E_WINDOW" "$1" "$line_y"
  xdotool click --repeat 2 --delay 60 1
  sleep 0.3
}

hit_width=$(( ${#data} + 1 + ${#name} ))  # the hit's path, in characters
char=7                         # Liberation Mono at 11 pixels, rounded
double_click $((memo_x + (hit_width + 3) * char))   # on "Rad:0"
double_click $((memo_x + 10 * char))                # on the path
press ctrl+c
selected=$(clipboard)
[ "$selected" = "$data/$name" ] || fail "the double-click selected '$selected', not the path"

wait_until 10 test -s "$opened" || fail "nothing was opened within 10 s"
got=$(cat "$opened")
[ "$got" = "$data/$name" ] || fail "opened '$got', expected exactly $data/$name"
[ -f "$got" ] || fail "the opener was handed '$got', which names no file"

close_program
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing"
echo "PASS: open hit"
