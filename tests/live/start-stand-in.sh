# Sourced by scripts that run flyer-sim --live against the stand-in X-Plane
# (tests/live/xplane-stand-in.cpp):
#
#   start_stand_in PROGRAM LOG [stand-in args...]
#
# starts it in the background, its output in LOG, and waits (at most 5 s)
# for the UDP port it prints; sets stand_in_pid and port, or fails.
start_stand_in() {
  local program=$1 log=$2
  shift 2
  "$program" "$@" > "$log" &
  stand_in_pid=$!
  port=
  for _ in $(seq 100); do
    port=$(sed -n 's/^port //p' "$log" 2>/dev/null || true)  # the log may not be there yet
    [[ -n $port ]] && return 0
    sleep 0.05
  done
  echo "the stand-in X-Plane did not start" >&2
  return 1
}
