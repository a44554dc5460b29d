#!/usr/bin/env bash
# Builds everything with AddressSanitizer + UndefinedBehaviorSanitizer (warnings as errors), runs a
# short fuzzing smoke step, then every test through CTest. Then the Windows part: it makes the
# 32-bit larkholm-setup.exe we ship (tools/build-windows.sh), cross-builds the Windows modules for the
# architecture this machine can test (tools/windows-arch.sh: the shipped i686 where it runs 32-bit
# programs, else x86_64; LARKHOLM_WINDOWS_TEST_ARCH forces one) and runs their suites under Wine,
# again through CTest, the shipped program's imports and resources checked among them. Each
# platform's part ends in CTest's summary. --linux-only skips the Windows part; other arguments go
# to both ctests.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/windows-arch.sh"
build="${LARKHOLM_TEST_BUILD_DIR:-$root/build-asan}"
jobs="${LARKHOLM_JOBS:-2}"

windows=1
ctest_args=()
for arg in "$@"; do
  if [ "$arg" = "--linux-only" ]; then windows=0; else ctest_args+=("$arg"); fi
done

bash "$root/tools/install-deps.sh"
if [ $windows -eq 1 ]; then
  windows_arch=$(windows_test_arch)
  echo "== The Windows suites will run on $windows_arch"
fi

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

case "$windows_arch" in
  i686) why="this machine runs 32-bit programs: the shipped build, Wine's 32-bit loader, a WoW64 prefix" ;;
  x86_64) why="the 64-bit build under wine64, the shipped 32-bit program built and checked beside it" ;;
esac
[ -z "${LARKHOLM_WINDOWS_TEST_ARCH:-}" ] || why="forced by LARKHOLM_WINDOWS_TEST_ARCH"
echo "== Windows suites under Wine on $windows_arch ($why)"
bash "$root/tools/install-deps.sh" --wine "$windows_arch"
shipped_build=$(windows_build_dir i686 "$root")
bash "$root/tools/build-windows.sh" "$shipped_build"
windows_build=$(windows_build_dir "$windows_arch" "$root")
if [ "$windows_arch" != i686 ]; then
  bash "$root/tools/build-windows-deps.sh" --arch "$windows_arch" "$windows_build"
  bash "$root/tools/configure-windows.sh" "$windows_arch" "$windows_build" \
    -DLARKHOLM_SHIPPED_SETUP_EXE="$shipped_build/dist/larkholm-setup.exe"
fi
cmake --build "$windows_build" -j "$jobs"
# Direct2D under Wine needs an X display even off-screen, from the prefix's boot on. -noreset: a
# server resetting after its last client would turn away a test starting at that moment.
(cd "$windows_build" && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ctest --output-on-failure -j "$jobs" ${ctest_args[@]+"${ctest_args[@]}"}) || status=1
echo "== Windows suites ran on $windows_arch"
exit $status
