#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Filsök and makes its Debian package (filsok_<version>_<arch>.deb) in
# the build folder, build/ or $FILSOK_BUILD_DIR, checks it with lintian and
# its software-centre metadata with appstreamcli, and fails on any error or
# warning of either; then prints the package's path as the only line on
# standard output (the build's own output goes to standard error), so
# deb=$(bash scripts/package.sh) works.
# Install it with: apt-get install ./build/filsok_*.deb
# Arguments are handed to the configure step, as in scripts/build.sh.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh" >&2
bash "$here/scripts/build.sh" "$@" >&2
build="${FILSOK_BUILD_DIR:-$here/build}"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! (cd "$build" && cpack -G DEB) >"$log" 2>&1; then
  cat "$log" >&2
  echo "package.sh: cpack could not make the Debian package" >&2
  exit 1
fi
deb=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log" | tail -n 1)
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  cat "$log" >&2
  echo "package.sh: cpack named no package file" >&2
  exit 1
fi
# Debian's own checker: an error or a warning fails the package, so the
# package keeps to Debian's rules from one version to the next.
if ! lintian --fail-on error,warning "$deb" >&2; then
  echo "package.sh: lintian finds fault with $deb" >&2
  exit 1
fi
# What software centres read of the package: lintian does not look inside.
if ! appstreamcli validate --no-net "$build"/generated/*.metainfo.xml >&2; then
  echo "package.sh: appstreamcli finds fault with the metainfo" >&2
  exit 1
fi
echo "$deb"
