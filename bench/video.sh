#!/usr/bin/env bash
# Times flyer-sim making videos against ffmpeg alone encoding the same frames
# with the same settings (the arguments flyer-sim gives it: libx264, veryfast,
# crf 18, yuv420p): the GA panel and the Glass panel (--video-size panel) and
# the whole screen, over a two-hour Garmin log made by make-garmin-log, from
# 600 s on. One line a video:
#
#   video=GA-panel size=476x320 frames=901 flyer_sim_fps=... ffmpeg_alone_fps=... ratio=... same_stream=yes
#
# flyer_sim_fps: frames over the wall time of the whole flyer-sim run, ffmpeg
# included; ffmpeg_alone_fps: the same over the wall time of ffmpeg reading
# the frames from a file in the page cache, kept by a stand-in for ffmpeg
# on a second run; same_stream: both wrote the same H.264 stream. The
# whole-screen video runs a third of SECONDS (its frames are 4 MB each).
# With --whole-flight, the time for a panel video of the whole two-hour
# flight follows. Arguments after -- go to flyer-sim (--gl gpu). The
# renderer that drew (flyer-sim's --verbose line) and the machine's load
# average before and after are printed: the figures mean something only on
# an otherwise quiet machine.
#
#   bench/video.sh [BUILD_DIR] [SECONDS] [--whole-flight] [-- FLYER_SIM_ARGS...]
set -euo pipefail
build=${1:-build/release}
seconds=${2:-30}
shift $(( $# > 2 ? 2 : $# ))
whole= extra=()
while (($#)); do
  case $1 in
    --whole-flight) whole=$1 ;;
    --) shift; extra=("$@"); break ;;
    *) echo "bench/video.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done
source "$(dirname "$0")/need-built.sh"
need_built bench/video.sh "$build" flyer-sim make-garmin-log
sim="$build/flyer-sim"
if ! command -v ffmpeg >/dev/null; then
  echo "bench/video.sh: needs the ffmpeg program (Debian's ffmpeg)" >&2
  exit 2
fi

work=$(realpath "$(mktemp -d "$build/video-bench.XXXXXX")")
trap 'rm -rf "$work"' EXIT
log="$work/two-hours.csv"
"$build/make-garmin-log" 7200 "$log"

# The stand-in for ffmpeg: keeps its arguments and the frames piped to it.
mkdir "$work/keep"
cat > "$work/keep/ffmpeg" <<'EOF'
#!/bin/sh
printf '%s\n' "$@" > "$KEEP_DIR/args"
cat > "$KEEP_DIR/frames.raw"
for last; do :; done
: > "$last"
EOF
chmod +x "$work/keep/ffmpeg"

now() { date +%s.%N; }
stream() { ffmpeg -v error -i "$1" -map 0:v -c copy -f md5 -; }

echo "# $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(ffmpeg -version | head -1 | cut -d' ' -f1-3)"
echo "# load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# bench NAME SECONDS [flyer-sim arguments...]
bench() {
  local name=$1 secs=$2
  shift 2
  local run=(--flight "$log" --from 600 --duration "$((600 + secs))" "${extra[@]}" "$@")
  local t0 t1 t2 t3
  t0=$(now)
  "$sim" "${run[@]}" --verbose --video "$work/sim.mp4" >/dev/null 2>"$work/sim.err"
  t1=$(now)
  if [[ -z ${drew:-} ]]; then
    drew=$(grep -m1 '^flyer-sim: --gl ' "$work/sim.err" || true)
    echo "# ${drew#flyer-sim: }"
  fi
  KEEP_DIR="$work" PATH="$work/keep:$PATH" "$sim" "${run[@]}" --video "$work/kept.mp4" >/dev/null 2>&1
  local args size frames
  mapfile -t args < "$work/args"
  for i in "${!args[@]}"; do
    [[ ${args[$i]} == pipe:0 ]] && args[$i]="$work/frames.raw"
    [[ ${args[$i]} == -s ]] && size=${args[$((i + 1))]}
  done
  args[-1]="$work/alone.mp4"
  frames=$(( $(stat -c %s "$work/frames.raw") / (${size%x*} * ${size#*x} * 4) ))
  cat "$work/frames.raw" > /dev/null
  t2=$(now)
  ffmpeg "${args[@]}"
  t3=$(now)
  local same=no
  [[ $(stream "$work/sim.mp4") == "$(stream "$work/alone.mp4")" ]] && same=yes
  awk -v name="$name" -v size="$size" -v n="$frames" -v same="$same" \
      -v sim="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" \
      -v alone="$(awk -v a="$t2" -v b="$t3" 'BEGIN { print b - a }')" 'BEGIN {
        printf "video=%s size=%s frames=%d flyer_sim_fps=%.0f ffmpeg_alone_fps=%.0f ratio=%.2f same_stream=%s\n",
               name, size, n, n / sim, n / alone, alone / sim, same }'
  rm -f "$work/frames.raw" "$work/sim.mp4" "$work/kept.mp4" "$work/alone.mp4"
}

bench GA-panel "$seconds" --video-size panel
bench Glass-panel "$seconds" --video-size panel --command Switch@0
bench screen "$(( seconds / 3 > 0 ? seconds / 3 : 1 ))"

if [[ $whole == --whole-flight ]]; then
  t0=$(now)
  "$sim" --flight "$log" "${extra[@]}" --video "$work/whole.mp4" --video-size panel >/dev/null 2>&1
  t1=$(now)
  awk -v t="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" 'BEGIN {
        printf "video=GA-panel-whole-flight flight_s=7200 frames=216001 seconds=%.0f (%d min %02d s) flyer_sim_fps=%.0f\n",
               t, int(t / 60), int(t) % 60, 216001 / t }'
fi
echo "# load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
