#!/usr/bin/env bash
# Times the plug-in's draw callback with flyer-sim over the default flight,
# GA panel then Glass panel: one line of figures per panel,
#   panel=GA frames=N median_us=... p99_us=... gl_calls=... allocs=...
# (allocs is n/a in sanitizer builds). Extra arguments go to flyer-sim,
# e.g. --from 60 --set sim/flightmodel/position/phi=nan.
#
#   bench/run.sh [BUILD_DIR] [FRAMES] [flyer-sim args...]
set -euo pipefail
build=${1:-build/release}
frames=${2:-2000}
shift $(( $# > 2 ? 2 : $# ))
source "$(dirname "$0")/need-built.sh"
need_built bench/run.sh "$build" flyer-sim
sim="$build/flyer-sim"
exec "$sim" --frames "$frames" --bench "$@"
