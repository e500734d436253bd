#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and its tests with the address and undefined-behaviour
# sanitizers in build-sanitize/ and runs every unit test there; then the
# search's tests, whose threads share a run's files and results, with the
# thread sanitizer in build-tsan/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-sanitize"
bash "$here/scripts/setup.sh"
FILSOK_BUILD_DIR="$build" FILSOK_BUILD_TYPE=Debug bash "$here/scripts/build.sh" \
  -DFILSOK_SANITIZE=ON -DFILSOK_BENCH=OFF
# Qt's own libraries are not built with the sanitizers; what they keep until
# exit is not ours to report.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -E '^e2e\.'

tsan="$here/build-tsan"
cmake -S "$here" -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFILSOK_SANITIZE_THREAD=ON -DFILSOK_BENCH=OFF >/dev/null
cmake --build "$tsan" -j"$(nproc)" --target test_search
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" QT_QPA_PLATFORM=offscreen "$tsan/tests/test_search"
