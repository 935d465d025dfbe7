#!/usr/bin/env bash
# Builds the plug-in, its texture and flyer-sim, then flies the built-in
# circuit through both panel types, day and night, and writes contact sheets,
# a short frame sequence and a video of each panel (circuit-ga.mp4,
# circuit-glass.mp4) under out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target OstrelPlugin ostrel_atlas flyer-sim
build/release/flyer-sim --demo out/demo "$@"
