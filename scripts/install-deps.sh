#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the benchmarks and
# `make run` need.
# Quick when everything is present: apt-get runs only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3 clang-format
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libxml2-dev zlib1g-dev
  libpng-dev pngcheck python3-pil imagemagick
  qt6-translations-l10n qt6-l10n-tools
  dpkg-dev fakeroot file lintian appstream desktop-file-utils man-db
  xvfb xauth xclip xdotool x11-utils openbox fonts-ipafont-gothic
  strace
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
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
