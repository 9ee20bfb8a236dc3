#!/usr/bin/env bash
# Deleting a tree of 10,000 files (100 folders of 100): DelWild and a raw
# FindFirstFileA + DeleteFileA walk under Wine (bench_delwild.exe), and the
# native `rm -rf`. The trees are made natively in /tmp. Rounds alternate
# which walk goes first; prints each round and the ratios of the best times.
# Usage: bench/delwild.sh [BUILD_DIR]     (default build/x64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
exe="$build/bin/bench_delwild.exe"
[ -x "$exe" ] || { echo "build the preset first ($exe)" >&2; exit 1; }
base=/tmp/ferro-bench-delwild
rounds=${ROUNDS:-3}

make_tree() {
  local top=$1
  mkdir -p "$top"
  for d in $(seq -w 0 99); do
    mkdir -p "$top/d$d"
    (cd "$top/d$d" && for f in $(seq -w 0 99); do printf 'x' > "f$f.txt"; done)
  done
}

min() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi; }
best_raw=; best_wild=; best_rm=
for r in $(seq 1 "$rounds"); do
  rm -rf "$base"
  make_tree "$base/raw"; make_tree "$base/wild"; make_tree "$base/native"
  sync
  start=$(date +%s.%N); rm -rf "$base/native"; end=$(date +%s.%N)
  rm_ms=$(echo "($end - $start) * 1000" | bc -l)
  order=; [ $((r % 2)) = 0 ] && order=--wild-first
  out=$("$root/scripts/wine-run.sh" "$exe" 'Z:\tmp\ferro-bench-delwild\raw' 'Z:\tmp\ferro-bench-delwild\wild' $order)
  raw_ms=$(echo "$out" | sed -n 's/^raw walk: .* \([0-9.]*\) ms.*$/\1/p')
  wild_ms=$(echo "$out" | sed -n 's/^DelWild: .* \([0-9.]*\) ms.*$/\1/p')
  [ -n "$raw_ms" ] && [ -n "$wild_ms" ] || { echo "$out" >&2; exit 1; }
  printf 'round %d: raw %.1f ms, DelWild %.1f ms (%.2f), rm -rf %.1f ms\n' "$r" "$raw_ms" "$wild_ms" "$(echo "$wild_ms / $raw_ms" | bc -l)" "$rm_ms"
  best_raw=$(min "$best_raw" "$raw_ms"); best_wild=$(min "$best_wild" "$wild_ms"); best_rm=$(min "$best_rm" "$rm_ms")
done
rm -rf "$base"
printf 'best: raw %.1f ms, DelWild %.1f ms, rm -rf %.1f ms\n' "$best_raw" "$best_wild" "$best_rm"
printf 'DelWild / raw walk: %.2f (goal 1.20 or less)\n' "$(echo "$best_wild / $best_raw" | bc -l)"
printf 'DelWild / native rm -rf: %.2f\n' "$(echo "$best_wild / $best_rm" | bc -l)"
