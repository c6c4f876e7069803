#!/usr/bin/env bash
# Sets up the machine, then configures, builds and runs the whole test suite
# twice: a normal build and an AddressSanitizer + UndefinedBehaviorSanitizer
# build. Fails when any build step or test fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${IRM_BUILD_ROOT:-$ROOT/build}"
JOBS="$(nproc)"

bash "$ROOT/scripts/setup.sh"

run_suite() {
  local dir="$1"; shift
  echo "=== configure $dir $*"
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  echo "=== build $dir"
  cmake --build "$dir" -j"$JOBS"
  echo "=== test $dir"
  ctest --test-dir "$dir" --output-on-failure --parallel 2 --timeout 600
}

run_suite "$BUILD/normal"
run_suite "$BUILD/sanitize" -DIRM_SANITIZE=ON -DIRM_BUILD_BENCH=OFF
echo "=== all tests passed in both builds"
