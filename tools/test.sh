#!/usr/bin/env bash
# Builds everything with AddressSanitizer + UndefinedBehaviorSanitizer (warnings as errors), runs a
# short fuzzing smoke step, then every test through CTest. Then cross-builds the Windows modules
# (32-bit, mingw-w64) and runs their suites under Wine, again through CTest. Each platform's part
# ends in CTest's summary. --linux-only skips the Windows part; other arguments go to both ctests.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${LARKHOLM_TEST_BUILD_DIR:-$root/build-asan}"
windows_build="${LARKHOLM_WINDOWS_BUILD_DIR:-$root/build-windows}"
jobs="${LARKHOLM_JOBS:-2}"

windows=1
ctest_args=()
for arg in "$@"; do
  if [ "$arg" = "--linux-only" ]; then windows=0; else ctest_args+=("$arg"); fi
done

bash "$root/tools/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLARKHOLM_SANITIZE=ON -DLARKHOLM_WERROR=ON -DLARKHOLM_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j "$jobs"

# Every fuzz target runs briefly (clang, its own build folder) before the unit tests, with a fixed
# seed so that a fresh checkout searches the same way each time; bench/fuzz-long/run.sh is where
# new ground is searched.
LARKHOLM_FUZZ_SEED="${LARKHOLM_FUZZ_SEED:-1}" bash "$root/tools/fuzz.sh" "${LARKHOLM_FUZZ_SECONDS:-20}"

status=0
(
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
  cd "$build"
  ctest --output-on-failure -j "$jobs" ${ctest_args[@]+"${ctest_args[@]}"}
) || status=1
[ $windows -eq 1 ] || exit $status

echo "== Windows build, suites under Wine"
bash "$root/tools/build-windows-deps.sh" "$windows_build"
cmake -S "$root" -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" \
  -DLARKHOLM_WINDOWS_DEPS="$windows_build/deps" -DLARKHOLM_WERROR=ON -DLARKHOLM_BUILD_TESTS=ON >/dev/null
cmake --build "$windows_build" -j "$jobs"
# Direct2D under Wine needs an X display even off-screen, from the prefix's boot on. -noreset: a
# server resetting after its last client would turn away a test starting at that moment.
(cd "$windows_build" && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ctest --output-on-failure -j "$jobs" ${ctest_args[@]+"${ctest_args[@]}"}) || status=1
exit $status
