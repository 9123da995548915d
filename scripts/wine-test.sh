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
# Wine must not inherit the lock: a wineserver it starts outlives the case.
status=0
"$(dirname "$0")/wine-run.sh" "$@" 9>&- || status=$?
exit $status
