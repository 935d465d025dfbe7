#!/usr/bin/env bash
# Renders a few instants of the built-in flight through both panels with the
# Linux flyer-sim and with flyer-sim.exe + OstrelWin.xpl under Wine, and
# compares the frames pixel by pixel. A plain background keeps the host's
# own outside view out of the comparison: what is compared is the plug-in's
# drawing.
#
#   frames.sh LINUX_SIM WINDOWS_BUILD WINE_PREFIX ATLAS MATCH_TOOL WORK
set -euo pipefail
linux_sim=$1 win=$2 prefix=$3 atlas=$4 match=$5 work=$6
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"

# Frames at 0 (the splash), 25, 50, 75 and 100 s.
# Both draw with Mesa's software rasterizer (under Wine, WGL's is llvmpipe;
# flyer-sim.exe stops if it is not).
common=(--gl software --fps 4 --duration 100 --every 100 --background 203040)
glass=(--command Switch@0)

"$linux_sim" "${common[@]}" --out "$work/linux-ga"
"$linux_sim" "${common[@]}" "${glass[@]}" --out "$work/linux-glass"

cat > "$work/windows.sh" <<SCRIPT
set -e
sim=(wine "$win/flyer-sim.exe" --plugin "Z:$win/OstrelWin.xpl" --texture "Z:$atlas" ${common[*]})
"\${sim[@]}" --out "Z:$work/windows-ga"
"\${sim[@]}" ${glass[*]} --out "Z:$work/windows-glass"
SCRIPT
"$here/wine-run.sh" "$prefix" --script "$work/windows.sh"

rc=0
for panel in ga glass; do
  echo "== $panel panel: Windows against Linux"
  "$match" --tolerance 2 --max-pixels 40 "$work/linux-$panel" "$work/windows-$panel" || rc=1
done
exit $rc
