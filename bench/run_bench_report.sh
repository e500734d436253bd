#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs bench_report in the real window: a private Xvfb with openbox, the xcb
# platform, a fresh settings folder. Arguments go to bench_report.
#   bench/run_bench_report.sh [BENCH] [-- ARGS...]   (default build-rel/bench/bench_report)
# FILSOK_BENCH_WRAP runs the program under a profiler, e.g. "perf record -g".
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bench="$here/build-rel/bench/bench_report"
if [ $# -gt 0 ] && [ "$1" != "--" ]; then bench=$1; shift; fi
[ "${1:-}" = "--" ] && shift
[ -x "$bench" ] || { echo "no $bench: build it first (see bench/README.md)" >&2; exit 2; }
for tool in Xvfb openbox xdotool rg; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 2; }
done

source "$here/scripts/lib/x-session.bash"
work=$(mktemp -d)
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
cleanup() {
  x_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
x_session_start "$work" --window-manager >&2
unset WAYLAND_DISPLAY
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb ${FILSOK_BENCH_WRAP:-} "$bench" "$@"
