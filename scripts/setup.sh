#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that Filsök's scripts need, only those that
# are missing from a minimal Debian 12 (debootstrap minbase). With --run,
# only what building and starting the program need (the quick start's first
# command); without it, also what its tests, fuzzing and packaging need. Run
# as root (or with sudo available).
set -euo pipefail

run_packages=(
  # build
  g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  # fonts the window is designed with (Tahoma, Lucida Console stand-ins)
  fonts-liberation2
  # opening a hit with the desktop's default application (xdg-open)
  xdg-utils
  # starting it on a virtual X server and saving a screenshot of it
  xvfb openbox xdotool imagemagick
)
test_packages=(
  libgtest-dev libgmock-dev googletest
  # the end-to-end tests type, paste and read the clipboard
  xauth x11-utils xclip
  # benchmarks, desktop entry check, fuzzing
  ripgrep desktop-file-utils clang libclang-rt-14-dev
  # Debian package: dpkg-shlibdeps, and cpack's DEB generator runs file(1)
  dpkg-dev file
  # package.sh checks the package with Debian's own checker and the
  # software-centre metadata with appstreamcli; the install test checks that
  # metadata and renders the manual page with man
  lintian appstream man-db
)

packages=("${run_packages[@]}")
[ "${1:-}" = --run ] || packages+=("${test_packages[@]}")
source "$(dirname "$0")/lib/install-missing.bash"
install_missing "${packages[@]}"
