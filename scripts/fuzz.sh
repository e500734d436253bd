#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for SECONDS seconds
# (default 60) on a copy of its seed corpus, so the seeds in the tree stay as
# they are. A target that finds a fault stops with its crash file kept in the
# work folder; the script then exits non-zero.
#   scripts/fuzz.sh [SECONDS]
set -eu
seconds=${1:-60}
case $seconds in
  ''|*[!0-9]*) echo "fuzz.sh: seconds must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
work=${FUZZ_WORK_DIR:-$build/fuzz-runs}
targets="fuzz_mask fuzz_lines fuzz_search fuzz_position fuzz_convert"

bash "$root/scripts/setup.sh"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DFILSOK_FUZZ=ON \
  -DFILSOK_TESTS=OFF -DFILSOK_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# shellcheck disable=SC2086
ninja -C "$build" -j2 $targets

failed=""
for target in $targets; do
  dir=$work/$target
  rm -rf "$dir"
  mkdir -p "$dir/corpus"
  cp "$root/tests/fuzz/corpus/$target/"* "$dir/corpus/"
  echo "== $target for ${seconds}s"
  if ! (cd "$dir" && "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
          -rss_limit_mb=2048 -print_final_stats=1 corpus >"$dir/log" 2>&1); then
    failed="$failed $target"
    echo "   FAULT: see $dir/log and the crash-* file in $dir"
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^#[0-9]+.*DONE' "$dir/log" || true
done
if [ -n "$failed" ]; then
  echo "faults found in:$failed" >&2
  exit 1
fi
echo "no faults found"
