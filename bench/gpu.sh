#!/usr/bin/env bash
# flyer-sim drawing on a graphics card (--gl gpu) beside Mesa's software
# rasterizer (--gl software), for a machine that has a card:
#
#   - the renderer each one is (GL_VENDOR, GL_RENDERER) and the card;
#   - both panels' frames at nine instants of the built-in flight, the card's
#     against Mesa's within a tolerance (ostrel-frame-match, one line a frame);
#   - --bench for both panels with each renderer: the draw callback's cost
#     through the card's driver and through Mesa;
#   - flyer-sim's video frames a second with each renderer, piped to a
#     stand-in that throws them away (drawing and reading back alone), and
#     with ffmpeg: bench/video.sh's lines, flyer-sim against ffmpeg alone.
#
#   bench/gpu.sh pack [BUILD_DIR]   here, on Debian 12: packs what the run needs
#   bench/gpu.sh [SECONDS]          on the machine with the card (default 30)
#
# pack puts BUILD_DIR's flyer-sim, plug-in, texture, make-garmin-log and
# ostrel-frame-match into build/gpu-pack/, with every library they and Mesa's
# software rasterizer load (libglvnd, Cairo, GLFW, Mesa's EGL and llvmpipe;
# not the C and C++ runtimes) compressed beside them: carry build/gpu-pack
# and the other machine needs no build tools, no Mesa and no libglvnd. The
# card's EGL there is its driver's, found by libglvnd's vendor file. Without
# a pack the script builds from the tree where the tools and headers are
# there, and otherwise names what is missing (exit status 3). Where a step
# fails (no card, no ffmpeg) it says so and goes on with the others. With
# OUT set, the card's frames, any diff images and the log are left there.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
packdir=$root/build/gpu-pack

# ---- pack: on the build machine
if [[ ${1:-} == pack ]]; then
  set -e
  build=$(realpath "${2:-$root/build/release}")
  bins=("$build/flyer-sim" "$build/make-garmin-log" "$build/tests/windows/ostrel-frame-match"
        "$build/OstrelLin.xpl" "$build/resources/Ostrel.tga")
  for f in "${bins[@]}"; do
    [[ -f $f ]] || { echo "bench/gpu.sh pack: no $f; build first (ninja -C $build flyer-sim make-garmin-log ostrel-frame-match)" >&2; exit 2; }
  done
  mesa_egl=$(ldconfig -p | awk '/libEGL_mesa.so.0 .*x86-64/ {print $NF; exit}')
  swrast=$(dirname "$mesa_egl")/dri/swrast_dri.so
  [[ -f $mesa_egl && -f $swrast ]] || { echo "bench/gpu.sh pack: no Mesa EGL (Debian's libegl-mesa0, libgl1-mesa-dri)" >&2; exit 2; }
  rm -rf "$packdir"
  mkdir -p "$packdir/bin" "$packdir/lib/dri"
  cp "${bins[@]}" "$packdir/bin/"
  strip --strip-unneeded "$packdir"/bin/{flyer-sim,make-garmin-log,ostrel-frame-match,OstrelLin.xpl}
  cp -L "$mesa_egl" "$packdir/lib/"
  cp -L "$swrast" "$packdir/lib/dri/"
  # Every library those load, but the C and C++ runtimes the other
  # machine has in newer versions.
  ldd "${bins[@]:0:4}" "$mesa_egl" "$swrast" 2>/dev/null | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}' | sort -u |
    grep -Ev '^(libc|libm|libdl|libpthread|librt|libresolv|libstdc\+\+|libgcc_s)\.so' |
    while read -r name path; do cp -L "$path" "$packdir/lib/$name"; done
  tar -C "$packdir" -cf - lib | xz -T0 -6 > "$packdir/lib.tar.xz"
  rm -rf "$packdir/lib"
  echo "bench/gpu.sh: packed $(du -sh "$packdir" | cut -f1) into $packdir; carry build/gpu-pack"
  exit 0
fi

seconds=${1:-30}
started=$SECONDS
out=${OUT:-}
work=$(mktemp -d /tmp/ostrel-gpu.XXXXXX)
trap 'rm -rf "$work"' EXIT
[[ -n $out ]] && exec > >(tee "$out/gpu.log") 2>&1
step() { echo; echo "== $* ($((SECONDS - started)) s)"; }

# ---- what flyer-sim runs from: the pack, or a build from the tree
run=$work/run
mkdir -p "$run"
if [[ -f $packdir/lib.tar.xz ]]; then
  lib=$work/lib bin=$packdir/bin match=$packdir/bin/ostrel-frame-match
  if command -v xz >/dev/null; then
    xz -dc "$packdir/lib.tar.xz" | tar -C "$work" -xf -
  else
    python3 -c 'import sys, tarfile; tarfile.open(sys.argv[1]).extractall(sys.argv[2])' "$packdir/lib.tar.xz" "$work"
  fi
  # libglvnd's EGL vendors: the card's driver, then the packed Mesa.
  vendors=
  for d in /etc/glvnd/egl_vendor.d /usr/share/glvnd/egl_vendor.d /usr/local/nvidia/share/glvnd/egl_vendor.d; do
    for j in "$d"/*.json; do
      [[ -f $j && $j != *mesa* && :$vendors: != *"/$(basename "$j"):"* ]] && vendors+=$j:
    done
  done
  printf '{"file_format_version": "1.0.0", "ICD": {"library_path": "%s"}}\n' "$lib/libEGL_mesa.so.0" > "$work/50_mesa.json"
  vendors+=$work/50_mesa.json
  libpath=$lib
  for d in /usr/local/nvidia/lib64 /usr/local/nvidia/lib; do [[ -d $d ]] && libpath+=:$d; done
  cat > "$run/flyer-sim" <<EOF
#!/bin/sh
export LD_LIBRARY_PATH="$libpath\${LD_LIBRARY_PATH:+:\$LD_LIBRARY_PATH}" LIBGL_DRIVERS_PATH="$lib/dri"
export __EGL_VENDOR_LIBRARY_FILENAMES="$vendors"
exec "$bin/flyer-sim" --plugin "$bin/OstrelLin.xpl" --texture "$bin/Ostrel.tga" "\$@"
EOF
  # ffmpeg, a child of flyer-sim, loads its own libraries, not the pack's.
  if real_ffmpeg=$(command -v ffmpeg); then
    printf '#!/bin/sh\nunset LD_LIBRARY_PATH LIBGL_DRIVERS_PATH __EGL_VENDOR_LIBRARY_FILENAMES\nexec "%s" "$@"\n' \
      "$real_ffmpeg" > "$run/ffmpeg"
    chmod +x "$run/ffmpeg"
  fi
  echo "flyer-sim from the pack $packdir (EGL vendors: $vendors)"
else
  build=$root/build/gpu bin=$build match=$build/tests/windows/ostrel-frame-match
  missing=()
  for tool in cmake ninja c++ pkg-config; do command -v $tool >/dev/null || missing+=("the program $tool"); done
  for pkg in libgl-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libcairo2-dev libfreetype-dev fonts-dejavu-core \
             libpng-dev libstb-dev libcli11-dev libglfw3-dev libgtest-dev libgmock-dev libbenchmark-dev; do
    dpkg-query -W -f='${Status}' $pkg 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  if ((${#missing[@]})); then
    echo "bench/gpu.sh: no pack ($packdir) and this machine cannot build flyer-sim; missing: ${missing[*]}"
    echo "bench/gpu.sh: on a Debian 12 machine with a build, run bench/gpu.sh pack and carry build/gpu-pack"
    exit 3
  fi
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_WINDOWS=OFF -DOSTREL_MACOS=OFF >/dev/null &&
    cmake --build "$build" -j "$(nproc)" --target flyer-sim make-garmin-log ostrel-frame-match || exit 3
  printf '#!/bin/sh\nexec "%s" "$@"\n' "$build/flyer-sim" > "$run/flyer-sim"
fi
chmod +x "$run/flyer-sim"
ln -s "$bin/make-garmin-log" "$run/make-garmin-log"
export PATH=$run:$PATH
sim=$run/flyer-sim

step "the machine"
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
command -v nvidia-smi >/dev/null && nvidia-smi --query-gpu=name,driver_version,memory.total --format=csv,noheader

step "which renderer draws"
renderers=()
for gl in gpu software; do
  if "$sim" --gl "$gl" --verbose --at 1 --png "$work/probe-$gl.png" 2>&1 | grep -E '^flyer-sim: (--gl|error)'; then
    [[ -f $work/probe-$gl.png ]] && renderers+=("$gl")
  fi
done
[[ " ${renderers[*]} " == *" gpu "* ]] || echo "no card: the figures below are Mesa's alone"

if [[ " ${renderers[*]} " == *" gpu "* && " ${renderers[*]} " == *" software "* ]]; then
  step "the card's frames against Mesa's: 9 instants, both panels (tolerance 2 per channel)"
  for panel in ga glass; do
    args=(--fps 4 --duration 200 --every 100 --background 203040)
    [[ $panel == glass ]] && args+=(--command Switch@0)
    for gl in software gpu; do "$sim" --gl "$gl" "${args[@]}" --out "$work/$panel-$gl" >/dev/null 2>&1; done
    echo "-- $panel"
    "$match" --tolerance 2 --max-pixels 0 "$work/$panel-software" "$work/$panel-gpu"
    if [[ -n $out ]]; then
      cp "$work/$panel-gpu/frame_00400.png" "$out/gpu-$panel-100s.png"
      cp "$work/$panel-gpu/diff-frame_00400.png" "$out/diff-$panel-100s.png" 2>/dev/null
    fi
  done
fi

step "--bench, 2000 frames a panel"
for gl in "${renderers[@]}"; do
  echo "-- --gl $gl"
  "$sim" --gl "$gl" --frames 2000 --bench 2>&1 | grep -E '^(panel=|flyer-sim: --gl)'
done

step "videos piped to a stand-in that throws the frames away: drawing and reading back alone"
mkdir -p "$work/discard"
printf '#!/bin/sh\ncat > /dev/null\nfor last; do :; done\n: > "$last"\n' > "$work/discard/ffmpeg"
chmod +x "$work/discard/ffmpeg"
garmin=$work/two-hours.csv
"$run/make-garmin-log" 7200 "$garmin"
for gl in "${renderers[@]}"; do
  for panel in GA Glass; do
    args=(--flight "$garmin" --from 600 --duration "$((600 + seconds))" --video "$work/discard.mp4" --video-size panel)
    [[ $panel == Glass ]] && args+=(--command Switch@0)
    t0=$(date +%s.%N)
    PATH=$work/discard:$PATH "$sim" --gl "$gl" "${args[@]}" >/dev/null 2>&1
    t1=$(date +%s.%N)
    awk -v gl="$gl" -v p="$panel" -v n="$((seconds * 30 + 1))" -v a="$t0" -v b="$t1" \
      'BEGIN { printf "gl=%s video=%s-panel frames=%d flyer_sim_fps=%.0f (no encoder)\n", gl, p, n, n / (b - a) }'
  done
done

step "bench/video.sh, $seconds s a panel video"
if command -v ffmpeg >/dev/null; then
  for gl in "${renderers[@]}"; do
    echo "-- --gl $gl"
    "$root/bench/video.sh" "$run" "$seconds" -- --gl "$gl"
  done
else
  echo "no ffmpeg on this machine: no figures against ffmpeg alone (the lines above are without an encoder)"
fi

step "done"
