#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Filsök
# need, only those that are missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest
  # fonts the window is designed with (Tahoma, Lucida Console stand-ins)
  fonts-liberation2
  # running under a virtual X server, screenshots and end-to-end tests
  xvfb xauth x11-utils xdotool xclip openbox imagemagick
  # benchmarks, desktop entry check, Debian package (dpkg-shlibdeps), fuzzing
  ripgrep desktop-file-utils dpkg-dev clang libclang-rt-14-dev
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
