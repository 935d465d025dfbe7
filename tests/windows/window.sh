#!/usr/bin/env bash
# flyer-sim.exe's preview window (plain Win32 and WGL) under Wine: a replay
# and a --live run against the stand-in X-Plane on 127.0.0.1 each save their
# window's last frame (--screenshot), compared pixel by pixel with the Linux
# flyer-sim's offscreen frame of the same instant and values. The stand-in
# must see every subscription cancelled when flyer-sim.exe ends. A plain
# background keeps the host's outside view out of the comparison.
#
#   window.sh LINUX_SIM WINDOWS_BUILD WINE_PREFIX ATLAS MATCH_TOOL STAND_IN WORK
set -euo pipefail
linux_sim=$1 win=$2 prefix=$3 atlas=$4 match=$5 stand_in=$6 work=$7
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"/{linux-replay,linux-live,windows-replay,windows-live}

# Both draw with Mesa's software rasterizer (under Wine, WGL's is llvmpipe;
# flyer-sim.exe stops if it is not).
common=(--gl software --screen 640x400 --fps 30 --background 203040)
values=(--set Airspeed=95 --set Pitch=5 --set Roll=-15 --set Heading=300 --set Gear[1]=0.5)

"$linux_sim" "${common[@]}" --at 2 --png "$work/linux-replay/frame_00000.png"
"$linux_sim" "${common[@]}" --flight rest "${values[@]}" --at 3 --png "$work/linux-live/frame_00000.png"

# The stand-in ends by itself once flyer-sim.exe has cancelled what it asked
# for, or after 50 seconds.
source "$here/../live/start-stand-in.sh"
start_stand_in "$stand_in" "$work/stand-in.txt" --seconds 50 "${values[@]}"

cat > "$work/windows.sh" <<SCRIPT
set -e
sim=(wine "$win/flyer-sim.exe" --plugin "Z:$win/OstrelWin.xpl" --texture "Z:$atlas" ${common[*]} --window)
"\${sim[@]}" --screenshot "Z:$work/windows-replay/frame_00000.png" --duration 2
"\${sim[@]}" --live 127.0.0.1:$port --screenshot "Z:$work/windows-live/frame_00000.png" --duration 3
SCRIPT
rc=0
"$here/wine-run.sh" "$prefix" --script "$work/windows.sh" || rc=1
wait "$stand_in_pid" || { echo "== the stand-in X-Plane still had subscriptions:"; rc=1; }
cat "$work/stand-in.txt"

for run in replay live; do
  echo "== $run: the Windows window against the Linux frame"
  "$match" --tolerance 2 --max-pixels 40 "$work/linux-$run" "$work/windows-$run" || rc=1
done
exit $rc
