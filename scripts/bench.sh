#!/usr/bin/env bash
# Builds the project and runs every benchmark in bench/ (not part of CI).
# Extra arguments go to each benchmark, e.g. --benchmark_filter=Assembly.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${IRM_BUILD_ROOT:-$ROOT/build}/bench"
bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DIRM_BUILD_BENCH=ON -DIRM_BUILD_TESTS=OFF
cmake --build "$BUILD" -j"$(nproc)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "=== $(basename "$b")"
  "$b" "$@"
done
