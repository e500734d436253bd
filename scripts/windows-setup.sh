#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building Filsök for Windows, testing it
# under Wine and packing its installer need, only those that are missing.
# Run as root (or with sudo available).
set -euo pipefail

packages=(
  # the cross compiler and the host's Qt tools (moc, rcc, uic) and CMake
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build
  qt6-base-dev qt6-base-dev-tools
  # fetching and unpacking Qt's own source from Debian's archive
  dpkg-dev ca-certificates debian-archive-keyring xz-utils
  # GoogleTest's source, built with the program for Windows
  googletest
  # running the tests and the program: Wine on a virtual X server
  wine wine64 xvfb xauth x11-utils xdotool xclip imagemagick fonts-liberation2
  # the installer and the zip
  nsis zip unzip
)

source "$(dirname "$0")/lib/install-missing.bash"
install_missing "${packages[@]}"
