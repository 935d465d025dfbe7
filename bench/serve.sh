#!/usr/bin/env bash
# flyer-sim --serve's figures at 30 frames a second, each run's pictures
# read by N viewers (ostrel-serve-viewers, WebSocket clients on 127.0.0.1
# asking for the size a 2048 x 1400 tablet page would, so the panel is drawn
# at scale 2.0): the GA and the Glass panel replaying the built-in circuit
# from its 40th second (the take-off: every frame's picture is new), with 1
# and with 8 viewers, then --live against the stand-in X-Plane flying the
# circuit from there with 1 viewer. Three lines a run:
#
#   run=GA viewers=8
#   flyer-sim: serve: seconds=.. viewers_most=8 pictures=.. unchanged=.. sent=..
#     bytes_per_s=.. delay_ms_median=.. delay_ms_p99=.. encode_cpu_s_per_s=..
#     cpu_s_per_s=.. refused=..
#   viewers=8 seconds=.. pictures_per_s_least=.. pictures_per_s_mean=.. bytes_per_s_mean=..
#
# delay: from a picture's birth (its frame's start in a replay, the arrival
# of the newest datagram in it live) to its last byte on a viewer's socket;
# encode_cpu: the encoder thread's CPU time per second; cpu: the whole
# process's, the software renderer's threads included. The load average
# before and after is printed: the figures mean something only on an
# otherwise quiet machine. Arguments after -- go to flyer-sim (--gl gpu).
#
#   bench/serve.sh [BUILD_DIR] [SECONDS] [-- FLYER_SIM_ARGS...]
set -euo pipefail
build=${1:-build/release}
seconds=${2:-15}
shift $(( $# > 2 ? 2 : $# ))
extra=()
if (($#)) && [[ $1 == -- ]]; then shift; extra=("$@"); fi
source "$(dirname "$0")/need-built.sh"
need_built bench/serve.sh "$build" flyer-sim ostrel-serve-viewers ostrel-xplane-stand-in
sim=$build/flyer-sim viewers=$build/ostrel-serve-viewers stand_in=$build/ostrel-xplane-stand-in
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# serve NAME VIEWERS FLYER_SIM_ARGS...: one run, its figures.
serve() {
  local name=$1 n=$2
  shift 2
  echo "run=$name viewers=$n"
  "$sim" --serve 127.0.0.1:0 --fps 30 "${extra[@]}" "$@" > "$work/sim.txt" 2>&1 &
  local pid=$! url=
  for _ in $(seq 200); do
    url=$(grep -o 'http://127\.0\.0\.1:[0-9]*/' "$work/sim.txt" || true)
    [[ -n $url ]] && break
    sleep 0.05
  done
  if [[ -z $url ]]; then cat "$work/sim.txt" >&2; kill $pid; return 1; fi
  local port=${url#http://127.0.0.1:}
  "$viewers" "${port%/}" "$n" "$seconds" 2048 1400 || true
  wait $pid || true
  grep -E '^flyer-sim: serve:|error' "$work/sim.txt"
}

for panel in GA Glass; do
  switch=()
  [[ $panel == Glass ]] && switch=(--command Switch@0)
  for n in 1 8; do serve "$panel" "$n" --from 40 --duration $((40 + seconds + 1)) "${switch[@]}"; done
done

source "$(dirname "$0")/../tests/live/start-stand-in.sh"
start_stand_in "$stand_in" "$work/stand-in.txt" --circuit --from 40 --seconds $((seconds + 15))
serve "GA-live" 1 --live "127.0.0.1:$port" --duration $((seconds + 1))
wait
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
