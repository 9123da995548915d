#!/usr/bin/env bash
# Configures and builds the Windows programs and tests into build/ (or $BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build=${BUILD_DIR:-$root/build}
# libjpeg, cross-built once into the build tree.
BUILD_DIR=$build "$root/scripts/jpeg.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DJPEG_ROOT="$build/deps/jpeg" "$@" >/dev/null
elif ! grep -q '^JPEG_ROOT:' "$build/CMakeCache.txt"; then
  # A tree configured before the editor needed libjpeg.
  cmake "$build" -DJPEG_ROOT="$build/deps/jpeg" >/dev/null
fi
# NODRAX_TARGET builds one target only (the editor, the benchmark).
cmake --build "$build" -j"$(nproc)" ${NODRAX_TARGET:+--target "$NODRAX_TARGET"}
