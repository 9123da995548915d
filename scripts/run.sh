#!/usr/bin/env bash
# Builds the editor and runs it under Wine on the build tree's own prefix, on
# the current display (a virtual one when there is none). Arguments go to the
# editor (a start code).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build NODRAX_TARGET=Nodraxcfg "$root/scripts/build.sh"
source "$root/scripts/wine-loader.sh"
export WINEPREFIX="$build/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run.sh" "$build/Nodraxcfg.exe" "$@"
else
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/wine-run.sh" "$build/Nodraxcfg.exe" "$@"
fi
