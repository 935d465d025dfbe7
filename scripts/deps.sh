#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need.
# Sourced by the other scripts; does nothing when everything is present.
set -euo pipefail

OSTREL_PACKAGES=(
  cmake ninja-build g++ clang binutils pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libcairo2-dev libfreetype-dev fonts-dejavu-core libstb-dev libpng-dev
  libcli11-dev libglfw3-dev xvfb xauth
  ffmpeg
  g++-mingw-w64-x86-64-posix wine wine64
)

missing=()
for p in "${OSTREL_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Ostrel-Flyer needs these Debian packages; run as root:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
