#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs bench_report in the real window: a private Xvfb with openbox, the xcb
# platform, a fresh settings folder. Arguments go to bench_report.
#   bench/run_bench_report.sh [BENCH] [-- ARGS...]   (default build-rel/bench/bench_report)
# FILSOK_DISPLAY picks the display number (default: the first free one from 620);
# FILSOK_BENCH_WRAP runs the program under a profiler, e.g. "perf record -g".
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bench="$here/build-rel/bench/bench_report"
if [ $# -gt 0 ] && [ "$1" != "--" ]; then bench=$1; shift; fi
[ "${1:-}" = "--" ] && shift
[ -x "$bench" ] || { echo "no $bench: build it first (see bench/README.md)" >&2; exit 2; }
for tool in Xvfb openbox xdpyinfo rg; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 2; }
done

display=${FILSOK_DISPLAY:-620}
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
work=$(mktemp -d)
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
unset WAYLAND_DISPLAY
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb ${FILSOK_BENCH_WRAP:-} "$bench" "$@"
