#!/usr/bin/env bash
# Runs one fuzz target for a while and prints, as its last line,
#   executions=N crashes=N coverage=N
# (coverage: libFuzzer's count of covered edges). Builds the libFuzzer
# binaries in a clang folder first (FUZZ_BUILD, default build/fuzz). New
# inputs go to $FUZZ_BUILD/corpus/TARGET; the committed seeds in
# fuzz/corpus/TARGET are read, never written, with the dictionary
# fuzz/dict/TARGET.dict where there is one. Crash inputs land in
# $FUZZ_BUILD/crashes/TARGET. Extra arguments go to libFuzzer.
#
#   fuzz/run.sh TARGET SECONDS [libFuzzer options...]
#   targets: tga csv_flight garmin_log xplane_data events options xplane_udp http_request
set -euo pipefail
cd "$(dirname "$0")/.."
if (($# < 2)); then
  echo "usage: fuzz/run.sh TARGET SECONDS [libFuzzer options...]" >&2
  exit 2
fi
target=$1 seconds=$2
shift 2
build=${FUZZ_BUILD:-build/fuzz}
seeds=fuzz/corpus/$target
if [[ ! -d $seeds ]]; then
  echo "fuzz/run.sh: no target \"$target\" (no $seeds)" >&2
  exit 2
fi

if [[ ! -f $build/build.ninja ]]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target "${target}_fuzz" -j "${FUZZ_JOBS:-1}" >/dev/null

corpus=$build/corpus/$target crashes=$build/crashes/$target
mkdir -p "$corpus" "$crashes"
before=$(find "$crashes" -type f | wc -l)
log=$build/$target.log
set +e
dict=()
[[ -f fuzz/dict/$target.dict ]] && dict=(-dict="fuzz/dict/$target.dict")
"$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$crashes/" "${dict[@]}" "$@" "$corpus" "$seeds" >"$log" 2>&1
status=$?
set -e
after=$(find "$crashes" -type f | wc -l)

# Final stats when the run ended normally; otherwise the last progress line.
set +o pipefail
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
[[ -n $executions ]] || executions=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
set -o pipefail
if ((status != 0)); then
  tail -n 40 "$log" >&2
fi
echo "executions=${executions:-0} crashes=$((after - before)) coverage=${coverage:-0}"
