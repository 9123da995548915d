#!/usr/bin/env bash
# Runs a command (CTest) with the test lanes ready: each lane a Wine prefix
# of the build on a virtual display of its own, with its Wine session
# already running (scripts/wine-test.sh picks the lane of a case). lane0 is
# <build>/wineprefix on the command's own display; laneN is
# <build>/wineprefix-laneN on the display that NODRAX_DISPLAY_laneN and
# NODRAX_XAUTHORITY_laneN name. The sessions and displays end with the command.
#   wine-lanes.sh <build folder> <lanes> <command...>
set -euo pipefail
build=$1 lanes=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
# Room for the editor's window at 192 DPI (tests/editor/DpiLayoutTest.cpp):
# twice 1024 x 768, as a screen of that DPI has at least.
screen="-screen 0 2048x1536x24"
# The displays, one per call of this script, the last lane's outermost.
todo=${NODRAX_LANES_TODO:-$lanes}
if [ "$todo" -gt 0 ]; then
  lane=$((todo - 1))
  # shellcheck disable=SC2016  # expanded by the shell on the new display
  exec xvfb-run -a -s "$screen" bash -c '
    if [ "$1" -gt 0 ]; then
      export NODRAX_DISPLAY_lane$1=$DISPLAY NODRAX_XAUTHORITY_lane$1=$XAUTHORITY
    fi
    NODRAX_LANES_TODO=$1 exec "${@:2}"' wine-lanes "$lane" "$0" "$build" "$lanes" "$@"
fi
unset NODRAX_LANES_TODO

prefix_of() { if [ "$1" -eq 0 ]; then echo "$build/wineprefix"; else echo "$build/wineprefix-lane$1"; fi; }
# Runs a command in the Wine environment of a lane.
on_lane() {
  local lane=$1 d=NODRAX_DISPLAY_lane$1 x=NODRAX_XAUTHORITY_lane$1
  shift
  WINEPREFIX=$(prefix_of "$lane") DISPLAY=${!d:-$DISPLAY} XAUTHORITY=${!x:-${XAUTHORITY:-}} \
    WINEDEBUG=-all "$@"
}

stop_sessions() {
  for ((lane = 0; lane < lanes; lane++)); do
    WINEPREFIX=$(prefix_of "$lane") wineserver -k 2>/dev/null || true
  done
}
trap stop_sessions EXIT
# Each lane's session (wineserver, services, the desktop window) starts here,
# not with the first case: what a case starts inherits its output, and CTest
# waits for that output to close, so every case would wait for the session
# to linger and end, and the next would start it again. A keeper, which
# reads its input until the session is stopped, holds each session.
for ((lane = 0; lane < lanes; lane++)); do
  exec {keeper}> >(on_lane "$lane" "$here/wine-run.sh" cmd >/dev/null 2>&1)
  # Returns once the session is up, whichever of the two started it.
  on_lane "$lane" "$here/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
done
"$@"
