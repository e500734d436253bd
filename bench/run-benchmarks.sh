#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reproduces the tables of bench/README.md and the README's "How fast" in one
# run: builds the benchmarks (Release, in build-rel/), starts a virtual X
# server with a window manager, and runs the search and the conversion with
# the window shown there (the xcb platform, as a user sees it) and offscreen,
# the search beside grep and ripgrep. Prints Markdown on standard output.
# (The memory a very large file takes is measured apart, by
# build-rel/bench/bench_large_file; see bench/README.md.)
#
#   bench/run-benchmarks.sh [--display N] [--runs R] [--root DIR] [--cold]
#
# --display N  the X display to use (default: the first free one from :90)
# --runs R     rounds per figure (default 9; the best of them is shown)
# --root DIR   where the generated corpora are kept between runs
#              (default $TMPDIR/filsok-bench)
# --cold       also search with a cold page cache (needs root: the caches
#              are dropped before every timed search)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${FILSOK_BENCH_BUILD_DIR:-$here/build-rel}
display=""
runs=9
root=${TMPDIR:-/tmp}/filsok-bench
cold=""
while [ $# -gt 0 ]; do
  case $1 in
    --display) display=${2#:}; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --root) root=$2; shift 2 ;;
    --cold) cold=1; shift ;;
    *) echo "usage: $0 [--display N] [--runs R] [--root DIR] [--cold]" >&2; exit 2 ;;
  esac
done
for tool in cmake ninja Xvfb openbox xdpyinfo grep rg; do
  command -v "$tool" >/dev/null || { echo "run-benchmarks: needs $tool" >&2; exit 2; }
done

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFILSOK_TESTS=OFF >/dev/null
ninja -C "$build" bench_search bench_convert >&2

if [ -z "$display" ]; then
  display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
fi
work=$(mktemp -d)
pids=""
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids="$!"
for _ in $(seq 100); do DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 || { echo "run-benchmarks: Xvfb :$display did not start" >&2; exit 1; }
DISPLAY=":$display" openbox >"$work/openbox.log" 2>&1 &
pids="$pids $!"
sleep 1
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" LC_ALL=C.UTF-8

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "## Benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo
echo "- machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
echo "- tools: $(g++ --version | head -1), $(grep --version | head -1), $(rg --version | head -1)"
echo "- load average before: $(load)"
echo

for platform in xcb offscreen; do
  echo "### Search, window on $platform"
  echo
  DISPLAY=":$display" QT_QPA_PLATFORM=$platform "$build/bench/bench_search" --root "$root" --runs "$runs" 2>/dev/null
  echo
done
if [ -n "$cold" ]; then
  echo "### Search with a cold page cache, window on xcb"
  echo
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/bench/bench_search" --root "$root" --runs 3 --cold 2>/dev/null
  echo
fi
for platform in xcb offscreen; do
  echo "### Conversion, window on $platform, files in ${TMPDIR:-/tmp}"
  echo
  DISPLAY=":$display" QT_QPA_PLATFORM=$platform "$build/bench/bench_convert" -n 5 2>/dev/null
  echo
done
if [ -d /dev/shm ]; then
  echo "### Conversion, window on xcb, files in /dev/shm (tmpfs)"
  echo
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb TMPDIR=/dev/shm "$build/bench/bench_convert" -n 5 2>/dev/null
  echo
fi
echo "- load average after: $(load)"
