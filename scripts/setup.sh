#!/usr/bin/env bash
# Installs every Debian package Stracol needs (run as root on Debian 12; safe to run again),
# then configures and builds the project in ./build.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  libgl-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fontconfig
  poppler-utils xvfb xauth python3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
if [ "${STRACOL_SETUP_ONLY:-0}" = 1 ]; then exit 0; fi
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$here/build" -j"$(nproc)"
