#!/usr/bin/env bash
# flyer-sim.exe --serve under Wine, seen from a browser on the Linux side:
# the test browser (tests/serve/Browser.h: headless, on 127.0.0.1, with
# --disable-background-networking) opens the page flyer-sim.exe serves and
# its picture must be the panel of the Linux flyer-sim's frame of the same
# values (ostrel-page-check). flyer-sim.exe must then end by itself at
# --duration, every connection closed.
#
#   serve.sh LINUX_SIM WINDOWS_BUILD WINE_PREFIX ATLAS PAGE_CHECK WORK
set -euo pipefail
linux_sim=$1 win=$2 prefix=$3 atlas=$4 page_check=$5 work=$6
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"

values=(--flight rest --set Airspeed=95 --set Pitch=5 --set Roll=-15 --set Heading=300 --set Gear[1]=0.5)
larger=()
for _ in 1 2 3 4 5; do larger+=(--command Larger@0); done
"$linux_sim" --gl software "${values[@]}" "${larger[@]}" --at 1 --png "$work/linux.png" >/dev/null

cat > "$work/windows.sh" <<SCRIPT
set -e
wine "$win/flyer-sim.exe" --plugin "Z:$win/OstrelWin.xpl" --texture "Z:$atlas" --gl software ${values[*]} \
  --serve 127.0.0.1:0 --duration 45 > "$work/windows.txt" 2>&1 &
sim=\$!
url=
for _ in \$(seq 600); do
  url=\$(grep -o 'http://127\.0\.0\.1:[0-9]*/' "$work/windows.txt" || true)
  [[ -n \$url ]] && break
  sleep 0.1
done
[[ -n \$url ]] || { echo "flyer-sim.exe served no page"; kill \$sim; exit 1; }
echo "page: \$url"
"$page_check" "\$url" "$work/linux.png"
wait \$sim
SCRIPT
rc=0
"$here/wine-run.sh" "$prefix" --script "$work/windows.sh" || rc=1
echo "== flyer-sim.exe said:"
cat "$work/windows.txt"
grep -q '^flyer-sim: serve: ' "$work/windows.txt" || { echo "no closing figures"; rc=1; }
exit $rc
