#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
#   scripts/setup.sh            the packages of the Linux program and its tests
#   scripts/setup.sh PKG ...    these packages instead
set -euo pipefail

if [ $# -gt 0 ]; then
  packages=("$@")
else
  packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libbenchmark-dev
    qt6-base-dev libgl-dev
    fonts-ipafont-gothic
    desktop-file-utils
    xvfb xauth openbox
    qt6-wayland sway wtype
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
