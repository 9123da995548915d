#!/usr/bin/env bash
# CTest's emulator for the test programs: runs one under Wine, both when CTest
# lists its cases and when it runs one of them.
#   wine-test.sh <build folder> <program.exe> <arguments...>
# scripts/test.sh gives CTest lanes as a resource ("lane"), each a Wine prefix
# with a virtual display of its own, so that cases on two lanes share neither
# a registry nor the keyboard focus or the clipboard: lane0 is the build's own
# prefix on the current display, laneN is <build>/wineprefix-laneN on the
# display that NODRAX_DISPLAY_laneN (with NODRAX_XAUTHORITY_laneN) names.
# The prefix stays locked while the program runs, so that a CTest started
# without the lanes (plain ctest -j) still runs one case at a time on it.
set -euo pipefail
build=$1
shift
lane=lane0
if [ -n "${CTEST_RESOURCE_GROUP_0_LANE:-}" ]; then  # "id:lane1,slots:1"
  lane=${CTEST_RESOURCE_GROUP_0_LANE#id:}
  lane=${lane%%,*}
fi
if [ "$lane" = lane0 ]; then
  export WINEPREFIX=$build/wineprefix
else
  export WINEPREFIX=$build/wineprefix-$lane
  display=NODRAX_DISPLAY_$lane xauthority=NODRAX_XAUTHORITY_$lane
  [ -z "${!display:-}" ] || export DISPLAY=${!display}
  [ -z "${!xauthority:-}" ] || export XAUTHORITY=${!xauthority}
fi
export WINEDEBUG=-all
exec 9>"$WINEPREFIX.lock"
flock 9
# Now and then (about once in two thousand starts here) Wine fails to
# create the process at all: start.exe then reports "ShellExecuteEx failed",
# or the start ends at once with a failure and not a word on either handle,
# and the program never ran. Such a start is tried again; a program that ran
# (GoogleTest printed its banner or its list) keeps its result.
out=$(mktemp) err=$(mktemp)
trap 'cat "$out"; cat "$err" >&2; rm -f "$out" "$err"' EXIT
for attempt in 1 2 3; do
  status=0
  # Wine must not inherit the lock: a wineserver it starts outlives the case.
  "$(dirname "$0")/wine-run.sh" "$@" 9>&- >"$out" 2>"$err" || status=$?
  if [ $status -ne 0 ] && ! grep -qs '^\[==========\]\|^Note: Google Test\|^[A-Za-z_/0-9]*\.$' "$out" &&
     { grep -qs "ShellExecuteEx failed" "$out" "$err" || { [ ! -s "$out" ] && [ ! -s "$err" ]; }; }; then
    echo "wine-test.sh: Wine did not start the program (attempt $attempt): $(cat "$out" "$err")" >&2
    continue
  fi
  break
done
exit $status
