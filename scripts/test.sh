#!/usr/bin/env bash
# Builds everything and runs every test under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/scripts/build.sh"
export WINEPREFIX="$build/wineprefix"
# Make the prefix before the clock starts on the tests.
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
# The tests must start their own Wine session, on the virtual display.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
status=0
(cd "$build" && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure "$@") || status=$?
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
exit $status
