#!/usr/bin/env bash
# Runs the text search benchmark on a tree made here: 30,000 files of 4 KiB
# in 100 folders and one 200 MB file, Shift-JIS text with "ABC" in it and
# "アBC", whose trail byte 0x41 is an "A" to a byte-wise search. Native grep
# -r / -ri (C locale, bytes) times the same trees beside it, for information,
# with the count of lines it reports: the lines with only "アBC" are false hits
# that the engine does not count.
# Usage: bench/text-search.sh [BUILD_DIR...]     (default build/x64; each runs on the same files)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=("${@:-$root/build/x64}")
work=$(mktemp -d /tmp/ferro-text-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import os, random, sys
work = sys.argv[1]
random.seed(932)
words = [w.encode('cp932') for w in ['表示', 'ソフト', '能力', '日本語', 'テキスト', '検索', 'ﾃﾞｰﾀ', 'data', 'file', 'value', ' ', ' ', ', ', '。']]
def text(size, hits):
    out = bytearray()
    while len(out) < size:
        line = b''.join(random.choice(words) for _ in range(random.randint(4, 20)))
        r = random.random()
        if r < hits: line += b' ABC '
        elif r < 2 * hits: line += 'アBC'.encode('cp932')
        out += line + b'\r\n'
    return bytes(out[:size])
for f in range(100):
    d = os.path.join(work, 'tree', 'folder %02d' % f)
    os.makedirs(d)
    for i in range(300):
        with open(os.path.join(d, 'file %03d.txt' % i), 'wb') as o: o.write(text(4096, 0.01))
os.makedirs(os.path.join(work, 'large'))
block = text(1 << 20, 0.0005)
with open(os.path.join(work, 'large', 'large.txt'), 'wb') as o:
    for _ in range(200): o.write(block)
PY

ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }
for flags in -r -ri; do
  for what in tree large; do
    t0=$(ms); n=$(LC_ALL=C grep $flags ABC "$work/$what" | wc -l); t1=$(ms)
    printf 'native grep %-3s %-5s %8.1f ms  %s lines\n' "$flags" "$what" "$(awk -v a="$t0" -v b="$t1" 'BEGIN{print b-a}')" "$n"
  done
done
printf 'lines with ABC only inside "アBC" (false hits of a byte search): tree %s, large %s\n' \
  "$(LC_ALL=C grep -r "$(printf '\x83ABC')" "$work/tree" | wc -l)" "$(LC_ALL=C grep -r "$(printf '\x83ABC')" "$work/large" | wc -l)"
for build in "${builds[@]}"; do
  echo "== $(basename "$build")"
  "$root/scripts/wine-run.sh" "$build/bin/bench_text_search.exe" "Z:$work/tree" "Z:$work/large"
done
