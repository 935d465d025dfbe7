#!/usr/bin/env bash
# Builds the plug-in, its texture and flyer-sim, then flies the built-in
# circuit (night on the ramp, then day) through both panel types and writes,
# for each panel, a contact sheet, a short frame sequence of the take-off and
# the same as an animated GIF, a still and a video (circuit-ga.mp4,
# circuit-glass.mp4) under out/demo/. docs/ holds the README's copies of the
# stills and the GA panel's GIF.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target OstrelPlugin ostrel_atlas flyer-sim
build/release/flyer-sim --demo out/demo "$@"
