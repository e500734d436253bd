#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Command two of the quick start: installs what is missing, builds, and runs
# every test through CTest (unit tests on Qt's offscreen platform, end-to-end
# tests of the built program under a virtual X server).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" -DFILSOK_TESTS=ON -DFILSOK_BENCH=ON
build="${FILSOK_BUILD_DIR:-$here/build}"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
