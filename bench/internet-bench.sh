#!/usr/bin/env bash
# Download benchmark: a 200 MB file from the loopback HTTP and FTP servers
# (tests/support/test_servers.py) through DownLoadInterNetfile against a raw
# WinINet loop in the same run, and native curl (no Wine) beside it for
# information.
# Usage: bench/internet-bench.sh [BUILD_DIR...]     (default build/x64)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=("${@:-$root/build/x64}")
work=$(mktemp -d /tmp/ferro-internet-bench.XXXXXX)
mkdir -p "$work/site" "$work/local"
head -c 200000000 /dev/urandom >"$work/site/big.bin"
/usr/bin/python3 "$root/tests/support/test_servers.py" "$work/site" "$work/ports" >"$work/servers.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 1 200); do [ -s "$work/ports" ] && break; sleep 0.05; done
read -r http ftp _ <"$work/ports"
for build in "${builds[@]}"; do
  echo "== $build"
  "$root/scripts/wine-run.sh" "$build/bin/bench_internet_download.exe" \
    "http://127.0.0.1:$http/big.bin" "ftp://127.0.0.1:$ftp/big.bin" "Z:${work//\//\\}\\local"
done
for url in "http://127.0.0.1:$http/big.bin" "ftp://127.0.0.1:$ftp/big.bin"; do
  speed=$(curl -s -o /dev/null -w '%{speed_download}' "$url")
  awk -v s="$speed" -v u="${url%%:*}" 'BEGIN { printf "native curl %s: %.1f MB/s (information)\n", u, s / 1e6 }'
done
