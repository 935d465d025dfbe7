#!/usr/bin/env bash
# Builds the Linux, the Windows and the macOS plug-in from the committed
# sources (a clean export of HEAD, so nothing uncommitted or previously built
# slips in) and writes the release archives a pilot unzips into the X-Plane
# folder:
#
#   dist/Ostrel-Flyer-<version>-linux-x64.zip
#   dist/Ostrel-Flyer-<version>-windows-x64.zip
#   dist/Ostrel-Flyer-<version>-macos-universal.zip
#   dist/Ostrel-Flyer-Live-<version>-windows-x64.zip   (the panel on a second
#       screen: flyer-sim.exe with the host DLL, the plug-in and the texture)
#   dist/SHA256SUMS
#
# Each archive is unpacked and checked (layout, plug-in, texture; the Live
# archive's programs import nothing outside it but Windows' own DLLs) before
# the script succeeds. The version is the project's (top CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

root=$PWD
work=$root/build/dist
jobs=$(nproc)
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "release: note: uncommitted changes are not in the release (it builds HEAD)" >&2
fi

rm -rf "$work" "$root/dist"
mkdir -p "$work/src" "$root/dist"
git archive HEAD | tar -x -C "$work/src"

echo "== Linux, and macOS (its universal plug-in is made by the Linux build)"
cmake -S "$work/src" -B "$work/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF -DOSTREL_WINDOWS=OFF \
  -DOSTREL_MACOS=ON
cmake --build "$work/linux" -j "$jobs" --target OstrelPlugin ostrel_atlas ostrel-tga-check ostrel_macos
echo "== Windows"
cmake -S "$work/src" -B "$work/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-w64.cmake"
cmake --build "$work/windows" -j "$jobs" --target OstrelPlugin flyer-sim

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/linux/CMakeCache.txt")
texture=$work/linux/resources/Ostrel.tga
for platform in linux windows macos; do
  case $platform in
    linux) xpl=$work/linux/OstrelLin.xpl ;;
    windows) xpl=$work/windows/OstrelWin.xpl ;;
    macos) xpl=$work/linux/macos/OstrelMac.xpl ;;
  esac
  vars=(-DPLATFORM=$platform -DVERSION="$version" -DXPL="$xpl" -DTEXTURE="$texture"
        -DOUT_DIR="$root/dist" -DTGA_CHECK="$work/linux/ostrel-tga-check")
  cmake "${vars[@]}" -P "$work/src/release/MakeArchive.cmake"
done
cmake -DVERSION="$version" -DEXE="$work/windows/flyer-sim.exe" -DXPLM_DLL="$work/windows/XPLM_64.dll" \
  -DXPL="$work/windows/OstrelWin.xpl" -DTEXTURE="$texture" -DOUT_DIR="$root/dist" \
  -DTGA_CHECK="$work/linux/ostrel-tga-check" -DOBJDUMP="$(command -v x86_64-w64-mingw32-objdump)" \
  -P "$work/src/release/MakeLiveArchive.cmake"
(cd "$root/dist" && sha256sum -- *.zip > SHA256SUMS && sha256sum -c --quiet SHA256SUMS)
echo "release: Ostrel-Flyer $version written to dist/:"
ls -l "$root/dist"
