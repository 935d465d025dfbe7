#!/usr/bin/env bash
# flyer-sim --live's figures against the stand-in X-Plane on 127.0.0.1
# flying the built-in circuit, with the preview window on a virtual display
# (xvfb-run) at 30 frames a second: its closing line,
#   flyer-sim: live: frames=.. seconds=.. datagrams=.. ... delay_ms_median=..
#     delay_ms_p99=.. delay_ms_max=.. cpu_s_per_s=..
# where delay is from a datagram's arrival to the frame that shows it on the
# screen, and cpu the process's CPU time per second of frames. Extra
# arguments go to flyer-sim (e.g. --fps 60, --screen 800x600).
#
#   bench/live.sh [BUILD_DIR] [SECONDS] [flyer-sim args...]
set -euo pipefail
build=${1:-build/release}
seconds=${2:-20}
shift $(( $# > 2 ? 2 : $# ))
source "$(dirname "$0")/need-built.sh"
need_built bench/live.sh "$build" flyer-sim ostrel-xplane-stand-in
sim=$build/flyer-sim stand_in=$build/ostrel-xplane-stand-in
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../tests/live/start-stand-in.sh"
start_stand_in "$stand_in" "$work/stand-in.txt" --circuit --seconds $((seconds + 15))
xvfb-run -a -s "-screen 0 1600x1000x24" "$sim" --live "127.0.0.1:$port" --window --fps 30 \
  --duration "$seconds" "$@" 2>&1 | grep -E "^flyer-sim: live:|error"
wait
