#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running, testing and
# packaging Filsök need, only those that are missing: everything the README's
# commands and the scripts use that a minimal Debian 12 (debootstrap minbase)
# lacks. Run as root (or with sudo available).
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest
  # fonts the window is designed with (Tahoma, Lucida Console stand-ins)
  fonts-liberation2
  # opening a hit with the desktop's default application (xdg-open)
  xdg-utils
  # running under a virtual X server, screenshots and end-to-end tests
  xvfb xauth x11-utils xdotool xclip openbox imagemagick
  # benchmarks, desktop entry check, fuzzing
  ripgrep desktop-file-utils clang libclang-rt-14-dev
  # Debian package: dpkg-shlibdeps, and cpack's DEB generator runs file(1)
  dpkg-dev file
  # package.sh checks the package with Debian's own checker and the
  # software-centre metadata with appstreamcli; the install test checks that
  # metadata and renders the manual page with man
  lintian appstream man-db
)

source "$(dirname "$0")/lib/install-missing.bash"
install_missing "${packages[@]}"
