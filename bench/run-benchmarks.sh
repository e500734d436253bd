#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reproduces the tables of bench/README.md and the README's "How fast" in one
# run: builds the benchmarks (Release, in build-rel/), starts a virtual X
# server with a window manager, and runs them with the window shown there
# (the xcb platform, as a user sees it), beside grep and ripgrep:
#
# - the search over warm corpora, with the search threads as the program
#   chooses them, and with one and with two, beside rg -j1 and rg -j2: the
#   model for machines of more cores;
# - the search with a cold page cache: the corpus's pages leave the cache
#   before every timed search (sync, then POSIX_FADV_DONTNEED on every file),
#   which needs no root;
# - the search over a network share: the pages served over SFTP by an sshd
#   of the benchmark's own on 127.0.0.1 and mounted with sshfs
#   (bench/sftp-share.sh), when openssh-server and sshfs are there;
# - large reports, each the first search of a newly started program
#   (bench/run_bench_report.sh --first);
# - the conversion.
# Prints Markdown on standard output. (The memory a very large file takes
# and the listing are measured apart; see bench/README.md.)
#
#   bench/run-benchmarks.sh [--runs R] [--root DIR] [--quick]
#
# --runs R   rounds per figure (default 9; the best of them is shown)
# --root DIR where the generated corpora are kept between runs
#            (default $TMPDIR/filsok-bench); it must be on a disk, not in
#            memory, for the cold figures to mean anything
# --quick    only the web corpus, and the large reports over /usr/include
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${FILSOK_BENCH_BUILD_DIR:-$here/build-rel}
runs=9
root=${TMPDIR:-/tmp}/filsok-bench
quick=""
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --root) root=$2; shift 2 ;;
    --quick) quick=1; shift ;;
    *) echo "usage: $0 [--runs R] [--root DIR] [--quick]" >&2; exit 2 ;;
  esac
done
for tool in cmake ninja Xvfb openbox xdotool grep rg; do
  command -v "$tool" >/dev/null || { echo "run-benchmarks: needs $tool" >&2; exit 2; }
done

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFILSOK_TESTS=OFF >/dev/null
ninja -C "$build" bench_search bench_convert bench_report bench_corpus >&2

source "$here/scripts/lib/x-session.bash"
work=$(mktemp -d)
cleanup() {
  x_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
x_session_start "$work" --window-manager >&2
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

corpora=(--corpus web --corpus mixed --corpus vocabulary --corpus large --corpus /usr/include)
[ -z "$quick" ] || corpora=(--corpus web)
search() { "$build/bench/bench_search" --root "$root" "$@" 2>/dev/null; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "## Benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo
echo "- machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
echo "- tools: $(g++ --version | head -1), $(grep --version | head -1), $(rg --version | head -1)"
echo "- transparent huge pages: $(cat /sys/kernel/mm/transparent_hugepage/enabled 2>/dev/null || echo unknown)"
echo "- load average before: $(load)"
echo

echo "### Search, warm page cache"
echo
search "${corpora[@]}" --runs "$runs"
echo
for workers in 1 2; do
  echo "### Search, warm page cache, $workers search thread(s)"
  echo
  search --corpus web --corpus vocabulary --runs "$runs" --workers "$workers"
  echo
done
echo "### Search, cold page cache"
echo
search --corpus web --corpus large --runs 3 --cold
echo

if command -v sshfs >/dev/null && [ -x /usr/sbin/sshd ]; then
  share_corpus="$root/share"
  [ -f "$share_corpus/.done" ] || { "$build/bench/bench_corpus" "$share_corpus" 2000 >&2 && touch "$share_corpus/.done"; }
  echo "### Search over SFTP (sshfs on 127.0.0.1)"
  echo
  bash "$here/bench/sftp-share.sh" "$share_corpus" bash -c \
    '"$0" --corpus "$SHARE" --root "$1" --runs 3 2>/dev/null' "$build/bench/bench_search" "$root"
  echo
else
  echo "(No share figures: install openssh-server and sshfs.)"
  echo
fi

echo "### Large reports, the first search of a newly started program"
echo
bash "$here/bench/run_bench_report.sh" "$build/bench/bench_report" -- --folder /usr/include --text int --runs 3 --first
if [ -z "$quick" ]; then
  bash "$here/bench/run_bench_report.sh" "$build/bench/bench_report" -- --text int --text e --runs 3 --first
fi
echo

echo "### Conversion, files in ${TMPDIR:-/tmp}"
echo
"$build/bench/bench_convert" -n 5 2>/dev/null
echo
if [ -d /dev/shm ]; then
  echo "### Conversion, files in /dev/shm (tmpfs)"
  echo
  TMPDIR=/dev/shm "$build/bench/bench_convert" -n 5 2>/dev/null
  echo
fi
echo "- load average after: $(load)"
