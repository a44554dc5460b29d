#!/usr/bin/env bash
# Builds everything with AddressSanitizer + UndefinedBehaviorSanitizer (warnings as errors), runs a
# short fuzzing smoke step, then every test through CTest. The last lines are CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${LARKHOLM_TEST_BUILD_DIR:-$root/build-asan}"

bash "$root/tools/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLARKHOLM_SANITIZE=ON -DLARKHOLM_WERROR=ON -DLARKHOLM_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j "${LARKHOLM_JOBS:-2}"

# Every fuzz target runs briefly (clang, its own build folder) before the unit tests, with a fixed
# seed so that a fresh checkout searches the same way each time; bench/fuzz-long/run.sh is where
# new ground is searched.
LARKHOLM_FUZZ_SEED="${LARKHOLM_FUZZ_SEED:-1}" bash "$root/tools/fuzz.sh" "${LARKHOLM_FUZZ_SECONDS:-20}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cd "$build"
ctest --output-on-failure -j "${LARKHOLM_JOBS:-2}" "$@"
