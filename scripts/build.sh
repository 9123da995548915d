#!/usr/bin/env bash
# Configures and builds the Windows programs and tests into build/ (or $BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build=${BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
fi
# NODRAX_TARGET builds one target only (the editor, the benchmark).
cmake --build "$build" -j"$(nproc)" ${NODRAX_TARGET:+--target "$NODRAX_TARGET"}
