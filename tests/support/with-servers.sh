#!/usr/bin/env bash
# Runs a test program under Wine with the loopback HTTP and FTP servers it
# needs (tests/support/test_servers.py, native Python), and stops them after.
# The program finds them through the environment, which Wine passes on:
#   FERRO_TEST_HTTP_PORT, FERRO_TEST_FTP_PORT, FERRO_TEST_CLOSED_PORT
#   FERRO_TEST_SITE   the served folder (a Unix path: Z: plus the path)
# Usage: with-servers.sh PROGRAM.exe [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/ferro-servers.XXXXXX")
/usr/bin/python3 "$here/test_servers.py" "$work/site" "$work/ports" >"$work/servers.log" 2>&1 &
server=$!
cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 1 200); do
  [ -s "$work/ports" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/ports" ]; then
  echo "with-servers: the test servers did not start:" >&2
  cat "$work/servers.log" >&2
  exit 1
fi
read -r http ftp closed <"$work/ports"
export FERRO_TEST_HTTP_PORT=$http FERRO_TEST_FTP_PORT=$ftp FERRO_TEST_CLOSED_PORT=$closed FERRO_TEST_SITE="$work/site"
"$here/../../scripts/wine-run.sh" "$@"
