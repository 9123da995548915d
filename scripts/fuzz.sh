#!/usr/bin/env bash
# Builds the native codec project with clang and runs each fuzzer for a while.
#   scripts/fuzz.sh [seconds per fuzzer, default 20] [fuzzer names...]
# Build folder: $FUZZ_BUILD_DIR (default build-fuzz/). Corpora stay in it
# between runs; inputs that break a property are kept as crash-* files there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "Installing clang"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq clang >/dev/null
fi
[ -d /usr/src/googletest ] || "$root/scripts/deps.sh"
if [ ! -f /usr/include/jpeglib.h ]; then
  echo "Installing libjpeg-dev"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq libjpeg-dev >/dev/null
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root/tests/native" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$build" --target fuzzers codec_tests -j"$(nproc)"

# The unit tests first: no point fuzzing a tree that fails them.
"$build/codec_tests" --gtest_brief=1

fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(fuzz_number fuzz_userspub fuzz_bbscallsign fuzz_unproto fuzz_port fuzz_startcode fuzz_switches
                                     fuzz_portsys fuzz_ports fuzz_jpeg fuzz_initsrv fuzz_folders fuzz_check)
status=0
for f in "${fuzzers[@]}"; do
  corpus="$build/corpus/$f"
  mkdir -p "$corpus"
  # Committed seeds, where a target has them, are read besides the corpus;
  # the JPEG fuzzer starts from the logo.
  seeds="$root/tests/native/fuzz/seeds/$f"
  [ -d "$seeds" ] || seeds=
  [ "$f" != fuzz_jpeg ] || cp "$root/editor/app/res/Logo.jpg" "$corpus/"
  # A ports file needs room for several lines and for reads of 148
  # characters; a picture for its headers and some data; a whole station
  # file for its 56 lines and its servers; a configuration for its ten
  # ports and a few servers.
  case $f in
    fuzz_portsys|fuzz_ports) max_len=1024 ;;
    fuzz_jpeg|fuzz_initsrv) max_len=65536 ;;
    fuzz_check) max_len=4096 ;;
    *) max_len=256 ;;
  esac
  echo "== $f (${seconds}s)"
  if ! (cd "$build" && "./$f" -max_total_time="$seconds" -max_len=$max_len -print_final_stats=1 \
        -dict="$root/tests/native/fuzz/codecs.dict" -artifact_prefix="$build/$f-" "$corpus" \
        $seeds 2>"$build/$f.log"); then
    echo "$f FAILED; see $build/$f.log"
    tail -n 30 "$build/$f.log"
    status=1
  else
    # Executions, and the edges (cov) and features (ft) the run reached.
    grep -E '^stat::number_of_executed_units|DONE' "$build/$f.log" || tail -n 1 "$build/$f.log"
  fi
done
exit $status
