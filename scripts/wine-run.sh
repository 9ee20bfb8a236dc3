#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, the way the tests and
# the host scripts need it:
#   - code page 932 (LANG/LC_ALL ja_JP.UTF-8),
#   - a Wine prefix inside the build tree, created once,
#   - quiet WINEDEBUG, a persistent wineserver for the run,
#   - an X display (Xvfb) when none is set.
# Usage: wine-run.sh PROGRAM.exe [ARGS...]
#        wine-run.sh --shutdown [BUILD_DIR]   stop the wineserver and Xvfb of a build tree
set -euo pipefail

find_build_dir() {
  local d
  d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != "/" ]; do
    [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return; }
    d=$(dirname "$d")
  done
  # Not inside a build tree: keep the Wine state out of the sources.
  mkdir -p "${TMPDIR:-/tmp}/ferro-wine"
  echo "${TMPDIR:-/tmp}/ferro-wine"
}

if [ "${1:-}" = "--shutdown" ]; then
  build=$(cd "${2:-.}" && pwd)
  export WINEPREFIX="${FERRO_WINEPREFIX:-$build/wineprefix}"
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  if [ -f "$build/xvfb.pid" ]; then
    kill "$(cat "$build/xvfb.pid")" 2>/dev/null || true
    rm -f "$build/xvfb.pid" "$build/xvfb.display"
  fi
  exit 0
fi

[ $# -ge 1 ] || { echo "usage: $0 PROGRAM.exe [ARGS...]" >&2; exit 2; }

build=$(find_build_dir "$1")
export WINEPREFIX="${FERRO_WINEPREFIX:-$build/wineprefix}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No debugger on a crash: winedbg would wait, and a crashing test must fail at once.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d}"
export WINEARCH=win64
# Every program of a build tree asks the tests' own print server. Wine takes
# the printers from the server once per session, in whichever program starts
# first; asking another server there would drop the tests' printer for all.
export CUPS_SERVER="${CUPS_SERVER:-$build/cups/cups.sock}"

# A display: keep the caller's, else one Xvfb per build tree, started once.
# Nobody sees that one: FERRO_HEADLESS tells the host to turn message boxes
# into lines on stderr.
if [ -z "${DISPLAY:-}" ]; then
  export FERRO_HEADLESS=1
  exec 8>"$build/xvfb.lock"
  flock 8
  if [ -f "$build/xvfb.pid" ] && kill -0 "$(cat "$build/xvfb.pid")" 2>/dev/null; then
    DISPLAY=$(cat "$build/xvfb.display")
  else
    n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
    echo $! > "$build/xvfb.pid"
    echo ":$n" > "$build/xvfb.display"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    DISPLAY=":$n"
  fi
  flock -u 8
  exec 8>&-
  export DISPLAY
fi

# The prefix: created once (under a lock, tests may start together). The
# product is 32-bit: a prefix made while Wine had no 32-bit loader cannot
# start it ("could not load kernel32.dll", c0000135), so such a prefix is
# made anew once the loader is there.
have_wine32() { [ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]; }
prefix_has_wine32() { [ -f "$WINEPREFIX/.ferro-wine32" ] || [ -s "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }
exec 9>"$build/wineprefix.lock"
flock 9
if [ -f "$WINEPREFIX/system.reg" ] && have_wine32 && ! prefix_has_wine32; then
  echo "wine-run: the Wine prefix $WINEPREFIX has no 32-bit support; making it anew" >&2
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 < /dev/null || true
  # No window manager runs under Xvfb: unmanaged windows spare the two-second
  # wait for a manager's answer each time a window (a message box) is hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 < /dev/null || true
  wineserver -w
  if have_wine32; then touch "$WINEPREFIX/.ferro-wine32"; fi
fi
# A persistent server, so each test does not pay for a new one.
setsid wineserver -p >/dev/null 2>&1 < /dev/null || true
flock -u 9
exec 9>&-

# Wine may start helper processes (explorer, services) that outlive the
# program and inherit its output; a caller reading a pipe (CTest) would then
# wait for them. The program's output therefore goes through files.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
set +e
if [ -t 1 ] && [ -t 2 ]; then
  wine "$@"
else
  wine "$@" >"$out" 2>"$err"
fi
rc=$?
set -e
# A program that died of an unhandled exception has failed, whatever code Wine
# hands back (a stack overflow of a 32-bit program comes back as 0).
if [ "$rc" -eq 0 ] && grep -q '^wine: Unhandled' "$err" 2>/dev/null; then rc=1; fi
cat "$out"
cat "$err" >&2
exit $rc
