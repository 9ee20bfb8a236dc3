#!/usr/bin/env bash
# Runs the copy benchmarks with the time of native cp beside them: cp copies a
# 1 GiB file and cp -r 10,000 files of 4 KiB (100 folders of 100) in /tmp,
# best of three, outside Wine; the times are handed to the benchmark programs
# (--native-ms). Everything made in /tmp is removed.
# Usage: bench/copy-bench.sh [BUILD_DIR]     (default build/x64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
work=$(mktemp -d /tmp/ferro-copy-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }
best_of_three() {  # best_of_three COPY CLEAN: the least wall time of COPY in ms
  local best="" t0 t1 t
  for _ in 1 2 3; do
    t0=$(ms); "$1"; t1=$(ms); "$2"
    t=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }')
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}

head -c $((1 << 30)) /dev/urandom > "$work/large.bin"
large() { cp "$work/large.bin" "$work/large copy.bin"; }
large_clean() { rm -f "$work/large copy.bin"; }
large_ms=$(best_of_three large large_clean)

mkdir -p "$work/small"
for f in $(seq -w 0 99); do
  mkdir -p "$work/small/folder $f"
  for i in $(seq -w 0 99); do head -c 4096 /dev/urandom > "$work/small/folder $f/file $i.dat"; done
done
small() { cp -r "$work/small" "$work/small copy"; }
small_clean() { rm -rf "$work/small copy"; }
small_ms=$(best_of_three small small_clean)
rm -rf "$work/small" "$work/large.bin"

"$root/scripts/wine-run.sh" "$build/bin/bench_copy_large.exe" --native-ms "$large_ms"
"$root/scripts/wine-run.sh" "$build/bin/bench_copy_small.exe" --native-ms "$small_ms"
