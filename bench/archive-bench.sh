#!/usr/bin/env bash
# Runs the archive extraction benchmark with native tar -xf beside it: GNU tar
# extracts, outside Wine, archives of the same shape in /tmp (10,000 files of
# 4 KiB in 100 folders of 100; one file of 500 MB), best of three; the times
# are handed to the benchmark program. Everything made in /tmp is removed.
# Usage: bench/archive-bench.sh [BUILD_DIR]     (default build/x64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
work=$(mktemp -d /tmp/ferro-archive-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }
best_of_three() {  # best_of_three ARCHIVE: the least wall time of tar -xf in ms
  local best="" t0 t1 t
  for _ in 1 2 3; do
    mkdir -p "$work/out"
    t0=$(ms); tar -xf "$1" -C "$work/out"; t1=$(ms)
    rm -rf "$work/out"
    t=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }')
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}

mkdir -p "$work/src/small"
for f in $(seq -w 0 99); do
  mkdir -p "$work/src/small/folder $f"
  for i in $(seq 0 99); do head -c 4096 /dev/urandom > "$work/src/small/folder $f/file $(printf %05d $((10#$f * 100 + i))).dat"; done
done
tar -cf "$work/small.tar" -C "$work/src" small && rm -rf "$work/src/small"
head -c $((500 << 20)) /dev/urandom > "$work/src/large.dat"
tar -cf "$work/large.tar" -C "$work/src" large.dat && rm -rf "$work/src"
small_ms=$(best_of_three "$work/small.tar")
large_ms=$(best_of_three "$work/large.tar")
rm -f "$work/small.tar" "$work/large.tar"
"$root/scripts/wine-run.sh" "$build/bin/bench_archive_extract.exe" --native-small-ms "$small_ms" --native-large-ms "$large_ms"
