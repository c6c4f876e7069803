#!/bin/sh
# Builds the frame fuzzer with clang (ASan + UBSan + libFuzzer) and runs it.
#   scripts/fuzz.sh [seconds] [build-dir]
# The corpus in tests/protocol/fuzz/corpus is copied into the build dir, so
# inputs found during the run do not land in the source tree.
set -eu
SECONDS_TO_RUN=${1:-60}
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${2:-$SRC/../build-fuzz}

cmake -S "$SRC" -B "$BUILD" \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DIRM_SANITIZE=ON -DIRM_BUILD_FUZZ=ON -DIRM_BUILD_BENCH=OFF
cmake --build "$BUILD" --target fuzz_frames -j2

CORPUS="$BUILD/fuzz-corpus"
mkdir -p "$CORPUS"
cp "$SRC"/tests/protocol/fuzz/corpus/* "$CORPUS"/

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
FUZZER=$(find "$BUILD" -name fuzz_frames -type f -perm -u+x | head -n 1)
exec "$FUZZER" -max_total_time="$SECONDS_TO_RUN" -max_len=4096 -print_final_stats=1 \
  "$CORPUS"
