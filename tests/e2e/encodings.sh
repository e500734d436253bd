#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Text in any encoding on a real X server, with no locale set: a search text
# typed with letters beyond ASCII finds its word in UTF-8, Windows-1252 and
# UTF-16 files and in a file whose name is not UTF-8, the report shows the
# characters, the conversion rewrites them all, and the same search
# afterwards reports the same lines.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
e2e_skip_unless_tools
start_session

data="$E2E_TMP/data"
mkdir -p "$data"
printf '<p>V\xc3\xa4lkommen till v\xc3\xa5r sida</p>\n' >"$data/utf8.asp"
printf 'x\r\n<p>V\xe4lkommen till v\xe5r sida</p>\r\n' >"$data/ansi.asp"
printf '\xff\xfe<\0p\0>\0V\0\xe4\0l\0k\0o\0m\0m\0e\0n\0 \0t\0i\0l\0l\0 \0v\0\xe5\0r\0 \0s\0i\0d\0a\0<\0/\0p\0>\0' >"$data/utf16.asp"
latin1=$(printf 'r\xe4ksm\xf6rg\xe5s.asp')
printf '<p>V\xe4lkommen till v\xe5r sida</p>' >"$data/$latin1"
printf 'what?\n\xce\xb1 och \xce\xb2\n' >"$data/greek.asp"

start_program "$program" --no-locale

# search TEXT: pastes it into the focused search box (xdotool's typing of a
# letter the keyboard map lacks races with the program's reading of the
# changed map) and presses Enter; the report has the focus afterwards, and
# the search box is the next control.
search() {
  printf '%s' "$1" | xclip -selection clipboard
  press ctrl+a ctrl+v
  press Return
  sleep 1
}

press ctrl+a
xdotool type --delay 20 "$data"
press shift+Tab shift+Tab shift+Tab
search "välkommen"
report=$(focused_text)
line='<p>Välkommen till vår sida</p>'
for hit in "utf8.asp Rad:0" "ansi.asp Rad:1" "utf16.asp Rad:0"; do
  grep -qxF "$data/$hit | $line" <<<"$report" || fail "no hit line '$hit' in:
$report"
done
# (A copy of the report to the clipboard has "?" for each byte of a name that
# is not UTF-8.)
grep -qxF "$data/r?ksm?rg?s.asp Rad:0 | $line" <<<"$report" \
  || fail "no hit line for the file whose name is not UTF-8 in:
$report"
grep -qxF '4 förekomster av "välkommen" i 5 genomsökta filer' <<<"$report" || fail "wrong summary in:
$report"
before=$(grep ' Rad:' <<<"$report")

# The report has the focus; the search box is next. A letter the code page
# lacks is found as itself, not as "?".
press Tab
search "α"
report=$(focused_text)
grep -qxF "$data/greek.asp Rad:1 | α och β" <<<"$report" || fail "α not found as itself in:
$report"
grep -qF '1 förekomster av "α"' <<<"$report" || fail "α found more than once in:
$report"

# To the convert button: search box, search button, case box, folder box,
# mask box, fetch button, subfolders box, convert button.
press Tab
press Tab Tab Tab Tab Tab Tab Tab
press space
sleep 1
report=$(focused_text)
[ "$(grep -c ' konverterades till UTF-8$' <<<"$report")" = 5 ] || fail "not every file was converted:
$report"
for file in "$data"/*; do
  [ "$(head -c 3 "$file" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "$file has no mark after the conversion"
done
[ -f "$data/$latin1" ] || fail "the file whose name is not UTF-8 is gone"

press Tab
search "välkommen"
after=$(grep ' Rad:' <<<"$(focused_text)")
[ "$after" = "$before" ] || fail "the search after the conversion differs:
$after
-- before:
$before"

close_program
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing"
echo "PASS: encodings"
