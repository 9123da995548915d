#!/usr/bin/env bash
# Builds and runs the benchmark (save, load, check, command line, start-up,
# pages, servers, ports, transfers, control messages) under Wine on a prefix
# of its own, on the tests' virtual display: bench.sh [runs]
# [pages|transfers|cmdline|startup], the second running the first shows of
# the pages alone, the transfers alone, the check and the command line
# alone, or the start-up alone.
#
# The start-up runs with Wine on every CPU, as a sysop's machine runs the
# editor: the editor and its floor take turns, so both meet the same
# machine. Everything else runs with Wine's processes on one CPU (the
# first, or $BENCH_CPU): spread over several, the wineserver round trips
# that most of those cases are made of take one of two speeds from run to
# run, and a ratio of two such calls means nothing. The two parts are two
# Wine sessions, so that no wineserver of the pinned part serves the
# start-up.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build NODRAX_TARGET=registry_benchmark "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-loader.sh"
export WINEPREFIX="$build/wineprefix-bench"
runs=${1:-25}
mode=${2:-}
session() {  # session pinned|free <arguments of the benchmark>
  local how=$1
  shift
  "$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  local pin=()
  if [ "$how" = pinned ] && command -v taskset >/dev/null; then
    pin=(taskset -c "${BENCH_CPU:-0}")
  fi
  "${pin[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/wine-run.sh" \
    "$build/registry_benchmark.exe" "$@"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
case "$mode" in
  startup) session free "$runs" startup ;;
  pages | transfers | cmdline) session pinned "$runs" "$mode" ;;
  "")
    session free "$runs" startup
    session pinned "$runs" rest
    ;;
  *) echo "bench.sh [runs] [pages|transfers|cmdline|startup]" >&2; exit 1 ;;
esac
