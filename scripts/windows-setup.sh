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

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
