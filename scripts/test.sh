#!/usr/bin/env bash
# Sets up a fresh Debian machine if needed, builds both presets and runs every
# test of each under Wine: the x86 product through the 32-bit loader, the x64
# build through wine64.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset x86 >/dev/null
cmake --build --preset x86
cmake --preset x64 >/dev/null
cmake --build --preset x64
status=0
ctest --preset x86 || status=1
ctest --preset x64 || status=1
scripts/wine-run.sh --shutdown build/x64 || true
exit $status
