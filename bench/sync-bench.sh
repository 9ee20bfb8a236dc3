#!/usr/bin/env bash
# Synchronising a tree of 10,000 files of 4 KiB (100 folders of 100), made
# natively in /tmp, in three passes: into empty targets, again with nothing
# changed, and again after 1% of the files changed. Each pass runs
# `ferro sync --delete` and the raw work (bench_sync.exe, under Wine, in one
# process) and `rsync -a --delete` natively. Rounds alternate which of ferro
# and the raw work goes first; prints each round and, per pass, the median of
# the rounds' ratios (the two measured side by side, so a busy machine slows
# both) and the best times.
# Usage: bench/sync-bench.sh [BUILD_DIR]     (default build/x64; ROUNDS=3)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
build=$(cd "$build" && pwd)
exe="$build/bin/bench_sync.exe"
[ -x "$exe" ] || { echo "build bench_sync first" >&2; exit 1; }
command -v rsync >/dev/null || { echo "rsync is missing (scripts/setup.sh installs it)" >&2; exit 1; }
base=/tmp/ferro-bench-sync
rounds=${ROUNDS:-3}
trap 'rm -rf "$base"' EXIT

make_tree() {
  for d in $(seq -w 0 99); do
    mkdir -p "$base/src/d$d"
    for f in $(seq -w 0 99); do head -c 4096 /dev/urandom > "$base/src/d$d/f$f.dat"; done
  done
}
change_one_percent() {  # one file in each folder, newer and different
  local later=$(( $(date +%s) + 120 ))
  for d in $(seq -w 0 99); do
    head -c 4096 /dev/urandom > "$base/src/d$d/f42.dat"
    touch -d "@$later" "$base/src/d$d/f42.dat"
  done
}
ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }
rsync_ms() { local t0 t1; t0=$(ms); rsync -a --delete "$base/src/" "$base/rsync/"; t1=$(ms); awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }'; }
min() { if [ -z "$1" ] || awk -v a="$2" -v b="$1" 'BEGIN { exit !(a < b) }'; then echo "$2"; else echo "$1"; fi; }

declare -A best_raw best_ferro best_rsync ratios rsync_ratios
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
passes=(empty unchanged changed)
for r in $(seq 1 "$rounds"); do
  rm -rf "$base"; mkdir -p "$base"; make_tree; sync
  order=; [ $((r % 2)) = 0 ] && order=--raw-first
  for pass in "${passes[@]}"; do
    [ "$pass" = changed ] && { change_one_percent; sync; }
    out=$("$root/scripts/wine-run.sh" "$exe" 'Z:\tmp\ferro-bench-sync\src' 'Z:\tmp\ferro-bench-sync\ferro' 'Z:\tmp\ferro-bench-sync\raw' $order | tr -d '\r')
    raw=$(echo "$out" | sed -n 's/^raw work: .* \([0-9.]*\) ms$/\1/p')
    ferro=$(echo "$out" | sed -n 's/^ferro sync: exit 0, \([0-9.]*\) ms$/\1/p')
    [ -n "$raw" ] && [ -n "$ferro" ] || { echo "$out" >&2; exit 1; }
    rs=$(rsync_ms)
    printf 'round %d %-9s: raw %8.1f ms, ferro sync %8.1f ms (%.2f), rsync %8.1f ms\n' "$r" "$pass" "$raw" "$ferro" \
      "$(awk -v a="$ferro" -v b="$raw" 'BEGIN { print a / b }')" "$rs"
    ratios[$pass]="${ratios[$pass]:-} $(awk -v a="$ferro" -v b="$raw" 'BEGIN { print a / b }')"
    rsync_ratios[$pass]="${rsync_ratios[$pass]:-} $(awk -v a="$ferro" -v b="$rs" 'BEGIN { print a / b }')"
    best_raw[$pass]=$(min "${best_raw[$pass]:-}" "$raw")
    best_ferro[$pass]=$(min "${best_ferro[$pass]:-}" "$ferro")
    best_rsync[$pass]=$(min "${best_rsync[$pass]:-}" "$rs")
  done
done
for pass in "${passes[@]}"; do
  goal="(information)"
  [ "$pass" != empty ] && goal="(goal 1.20 or less)"
  printf '%-9s ferro sync / raw work: median %.2f %s, best times %.1f / %.1f ms; ferro sync / rsync: median %.2f (information)\n' \
    "$pass" "$(echo "${ratios[$pass]}" | median)" "$goal" "${best_ferro[$pass]}" "${best_raw[$pass]}" \
    "$(echo "${rsync_ratios[$pass]}" | median)"
done
