#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A long run on a real X server: 100,000 listed files (links to one page of
# a megabyte), so that a search takes many seconds. During it the window
# stays alive (its progress bar advances; taken off the screen and put back,
# it is painted again), what is typed lands only after the run, and Escape
# stops the run with the report of the files searched so far; a conversion
# stops the same way between files; a close during a search ends the run,
# then the program, with the settings saved.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
e2e_skip_unless_tools
command -v import >/dev/null || { echo "SKIP: missing import (imagemagick)"; exit "$E2E_SKIP"; }
start_session

data="$E2E_TMP/data"
mkdir -p "$data/links"
files=100000
python3 - "$data" "$files" <<'PY'
import os, sys
data, n = sys.argv[1], int(sys.argv[2])
line = "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit</p>\r\n"
with open(os.path.join(data, "page.txt"), "w", newline="") as f:
    f.write(line * 8192 + "conn.Open\r\n" + line * 8192)
for i in range(n):
    os.symlink("../page.txt", os.path.join(data, "links", "p%06d.asp" % i))
PY

start_program "$program"
# The folder box has the focus; its text is selected at start.
xdotool type --delay 10 "$data/links"

# A part of the window that only a paint brings back: the grey hint under
# the report, 22 and 485 pixels into the window.
hint() { import -window "$E2E_WINDOW" -crop 170x13+22+485 +repage "$E2E_TMP/$1.png"; }
bar() { import -window "$E2E_WINDOW" -crop 928x17+6+284 +repage "$E2E_TMP/$1.png"; }
report_text() {
  activate_window
  focused_text | tr -d '\r'
}
# Waits until the focused memo's text has a line starting with $1.
wait_for_line() {
  local deadline=$((SECONDS + 120)) text
  while :; do
    text=$(report_text)
    grep -q "^$1" <<<"$text" && return 0
    [ "$SECONDS" -lt "$deadline" ] || fail "no line '$1' within 120 s; last lines: $(tail -n 3 <<<"$text")"
    sleep 1
  done
}

# The list, fetched by its button; the keys that read it wait for its end.
press Tab Tab
press space
press Tab Tab Tab
deadline=$((SECONDS + 60))
until [ "$(focused_text | grep -c '\.asp')" -eq "$files" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the file list did not fill within 60 s"
  sleep 1
done
hint before

# The conversion: Escape stops it between files. The first file converts
# the page, every later one finds it marked.
press shift+Tab
press space
press Escape
wait_for_line "Avbruten efter"
report=$(report_text)
stopped=$(grep '^Avbruten efter' <<<"$report")
[[ "$stopped" =~ ^Avbruten\ efter\ ([0-9]+)\ av\ $files\ filer$ ]] || fail "the conversion ended with '$stopped'"
[ "${BASH_REMATCH[1]}" -lt "$files" ] || fail "the conversion was not stopped: $stopped"
[ "$(head -c 3 "$data/page.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "the page was not converted"
grep -q '^conn.Open' "$data/page.txt" || fail "the converted page lost its text"

# The search, from the search box (Tab from the report): the window is alive
# while it runs.
press Tab
press Return
sleep 1
bar one
sleep 1.5
bar two
cmp -s "$E2E_TMP/one.png" "$E2E_TMP/two.png" && fail "the progress bar did not move during the search"
xdotool windowunmap --sync "$E2E_WINDOW"
xdotool windowmap --sync "$E2E_WINDOW"
sleep 1
hint after
cmp -s "$E2E_TMP/before.png" "$E2E_TMP/after.png" || fail "the window was not painted again during the search"
xdotool type --delay 20 "abc"
press Escape
wait_for_line "Tidsåtgång"
report=$(report_text)
header=$(head -n 1 <<<"$report")
[ "$header" = "Sökt text :conn." ] || fail "the report's header is '$header': the typed text reached the search box during the run"
stopped=$(grep '^Avbruten efter' <<<"$report")
[[ "$stopped" =~ ^Avbruten\ efter\ ([0-9]+)\ av\ $files\ filer$ ]] || fail "the search ended with '$stopped'"
searched=${BASH_REMATCH[1]}
[ "$searched" -lt "$files" ] || fail "the search was not stopped: $stopped"
summary=$(grep ' genomsökta filer$' <<<"$report")
[ "$summary" = "$searched förekomster av \"conn.\" i $searched genomsökta filer" ] || fail "summary '$summary' after '$stopped'"
hits=$(grep -c ' Rad:8192 | conn.Open$' <<<"$report")
[ "$hits" -eq "$searched" ] || fail "$hits hit lines for $searched files searched"
# What was typed went, after the run, where the focus then was: the report.
last=$(tail -n 1 <<<"$report")
[[ "$last" == Tidsåtgång*abc ]] || fail "the typed text did not land after the run: last line '$last'"

# A close during a search stops it and then closes the window as usual.
press Tab
press Return
sleep 1.5
xdotool key --clearmodifiers alt+F4
timeout 60 tail --pid="$E2E_PROGRAM" -f /dev/null || fail "the program did not end within 60 s of alt+F4 during a search"
status=0
wait "$E2E_PROGRAM" || status=$?
E2E_PROGRAM=""
[ "$status" -eq 0 ] || fail "exit status $status after a close during a search"
grep -qx "Edit1_Text=$data/links" "$XDG_CONFIG_HOME/filsok.ini" || fail "the settings were not saved: $(cat "$XDG_CONFIG_HOME/filsok.ini")"
echo "PASS: long run"
