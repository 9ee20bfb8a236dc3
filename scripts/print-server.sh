#!/usr/bin/env bash
# A print server of the tests' own: CUPS with the CUPS-PDF printer
# "FerroPDF" as the default, listening on the loopback address and a socket
# only, with its configuration, spool and logs beside the socket (reached
# through BUILD_DIR/cups).
# Printed pages land as PDF files in the printing user's ~/PDF.
# Usage: print-server.sh start|stop BUILD_DIR
#   start: starts cupsd (unless one of this build tree runs), adds the
#          printer and prints the value for CUPS_SERVER (the socket).
#   stop:  stops the cupsd this script started.
set -euo pipefail
action=${1:?start or stop}
build=$(cd "${2:?build dir}" && pwd)
# The scheduler runs its filters as the user lp, which must reach the spool:
# a build tree may lie below a folder only its owner can enter (mktemp -d),
# so the server's own folder is in /tmp, one per build tree, and the build
# tree's "cups" is a link to it (the test programs find the socket there).
root="/tmp/ferro-cups-$(printf %s "$build" | md5sum | cut -c1-16)"
if [ -d "$build/cups" ] && [ ! -L "$build/cups" ]; then rm -rf "$build/cups"; fi
mkdir -p "$root"
chmod 755 "$root"
ln -sfn "$root" "$build/cups"
socket="$root/cups.sock"
export CUPS_SERVER="$socket"

stop() {
  if [ -f "$root/cupsd.pid" ]; then
    kill "$(cat "$root/cupsd.pid")" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$(cat "$root/cupsd.pid")" 2>/dev/null || break; sleep 0.05; done
    rm -f "$root/cupsd.pid"
  fi
}

case "$action" in
stop) stop; exit 0 ;;
start) ;;
*) echo "usage: $0 start|stop BUILD_DIR" >&2; exit 2 ;;
esac

command -v cupsd >/dev/null || { echo "print-server: cupsd is missing (bash scripts/setup.sh)" >&2; exit 1; }
[ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || { echo "print-server: printer-driver-cups-pdf is missing" >&2; exit 1; }
if [ -f "$root/cupsd.pid" ] && kill -0 "$(cat "$root/cupsd.pid")" 2>/dev/null; then
  echo "$socket"
  exit 0
fi
mkdir -p "$root"/{spool,cache,state,log,tmp}
chmod -R a+rwX "$root"
# A free port on the loopback address.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat > "$root/cupsd.conf" <<CONF
LogLevel warn
Listen $socket
Listen 127.0.0.1:$port
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat > "$root/cups-files.conf" <<CONF
ServerRoot $root
RequestRoot $root/spool
CacheDir $root/cache
StateDir $root/state
TempDir $root/tmp
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF
setsid cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" >"$root/log/cupsd.out" 2>&1 < /dev/null &
echo $! > "$root/cupsd.pid"
for _ in $(seq 1 200); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.05
done
if ! lpstat -r >/dev/null 2>&1; then
  echo "print-server: cupsd did not start; see $root/log" >&2
  stop
  exit 1
fi
# A scheduler that has just started may refuse the first administration
# requests for a moment: try for up to 10 s.
added=
for _ in $(seq 1 200); do
  if lpadmin -p FerroPDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>"$root/log/lpadmin.out" &&
     lpadmin -d FerroPDF 2>>"$root/log/lpadmin.out"; then
    added=1
    break
  fi
  sleep 0.05
done
if [ -z "$added" ]; then
  echo "print-server: the printer could not be added:" >&2
  cat "$root/log/lpadmin.out" >&2
  stop
  exit 1
fi
echo "$socket"
