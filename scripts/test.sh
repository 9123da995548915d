#!/usr/bin/env bash
# Builds everything and runs every test under Wine on virtual displays; the
# arguments go to CTest (-R <case>, -L editor, ...). Each GoogleTest case is
# a CTest test of its own, and the cases run on NODRAX_TEST_LANES lanes at
# once (default 2), each lane a Wine prefix with a virtual display of its own
# (see scripts/wine-lanes.sh and scripts/wine-test.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/scripts/build.sh"
source "$root/scripts/wine-loader.sh"
lanes=${NODRAX_TEST_LANES:-2}
export WINEPREFIX="$build/wineprefix"
# Make the prefix before the clock starts on the tests.
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
# The tests must start their own Wine session, on the virtual display.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
# Every further lane starts from a copy of the prefix, made once.
resources='{"id":"lane0","slots":1}'
for ((lane = 1; lane < lanes; lane++)); do
  prefix="$build/wineprefix-lane$lane"
  if [ ! -f "$prefix/system.reg" ]; then
    rm -rf "$prefix"
    cp -a "$WINEPREFIX" "$prefix"
  fi
  resources+=",{\"id\":\"lane$lane\",\"slots\":1}"
done
lanes_file="$build/ctest-lanes.json"
echo "{\"version\":{\"major\":1,\"minor\":0},\"local\":[{\"lane\":[$resources]}]}" >"$lanes_file"
cd "$build"
exec "$root/scripts/wine-lanes.sh" "$build" "$lanes" \
  ctest --output-on-failure --no-label-summary -j "$lanes" --resource-spec-file "$lanes_file" "$@"
