#!/usr/bin/env bash
# Builds and runs the benchmark (save, load, start-up, pages, servers, ports,
# transfers, control messages) under Wine on a prefix of its own, on the
# tests' virtual display: bench.sh [runs] [pages|transfers], the second
# running the first shows of the pages alone, or the transfers alone.
# Wine's processes run on one CPU (the first, or $BENCH_CPU): spread over
# several, the wineserver round trips that most of these cases are made of
# take one of two speeds from run to run, and a ratio means nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build NODRAX_TARGET=registry_benchmark "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-loader.sh"
export WINEPREFIX="$build/wineprefix-bench"
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
pin=()
command -v taskset >/dev/null && pin=(taskset -c "${BENCH_CPU:-0}")
"${pin[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/wine-run.sh" "$build/registry_benchmark.exe" "$@"
WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
