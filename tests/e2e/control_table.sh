#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window's control table on a real X server with a window manager: the
# window test program shows the window there and checks every control's
# place and size, as the window lays it out and as a screen reader is told.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/session.bash"
program="$1"
window_tests="${FILSOK_WINDOW_TESTS:-$(dirname "$program")/tests/test_uSok}"
[ -x "$window_tests" ] || fail "no window test program at $window_tests"
e2e_skip_unless_tools
start_session

FILSOK_TEST_PLATFORM=xcb "$window_tests" --gtest_filter='MainWindow.ShownWindowHoldsTheControlTable' \
  --gtest_brief=1 || fail "the control table does not hold in the real window"
echo "PASS: control table"
