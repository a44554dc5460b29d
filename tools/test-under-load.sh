#!/usr/bin/env bash
# Runs a build folder's tests several times in a row beside two busy loops, the way a shared CI
# machine runs them: tests whose real-time margins a loaded machine can eat show up here.
#
#   bash tools/test-under-load.sh [--build DIR] [RUNS] [ctest arguments...]
#
# DIR defaults to $LARKHOLM_TEST_BUILD_DIR, else build-asan; RUNS to 5. The folder must be built
# (tools/test.sh builds both). A Windows build folder runs its suites under Wine on an Xvfb display,
# as tools/test.sh does. Stops at the first red run. Each run's CTest output goes to
# DIR/test-under-load/run-N.log; the busy loops end with the script, also on Ctrl-C.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${LARKHOLM_TEST_BUILD_DIR:-$root/build-asan}"
jobs="${LARKHOLM_JOBS:-2}"
runs=5

if [ "${1:-}" = "--build" ]; then
  build="$2"
  shift 2
fi
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  runs="$1"
  shift
fi
build=$(cd "$build" && pwd)
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  echo "no tests in $build: build it first (tools/test.sh)" >&2
  exit 2
fi

ctest_command=(ctest --output-on-failure -j "$jobs" "$@")
if grep -qs 'CMAKE_SYSTEM_NAME "Windows"' "$build"/CMakeFiles/*/CMakeSystem.cmake; then
  # Direct2D under Wine needs an X display even off screen (see tools/test.sh).
  ctest_command=(xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" "${ctest_command[@]}")
else
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
fi

hogs=()
stop_hogs() {
  for pid in ${hogs[@]+"${hogs[@]}"}; do kill "$pid" 2>/dev/null || true; done
  for pid in ${hogs[@]+"${hogs[@]}"}; do wait "$pid" 2>/dev/null || true; done
  hogs=()
}
trap stop_hogs EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
for _ in 1 2; do
  sh -c 'while :; do :; done' &
  hogs+=($!)
done

logs="$build/test-under-load"
mkdir -p "$logs"
echo "== $runs runs of ctest -j $jobs in $build, beside two busy loops (pids ${hogs[*]})"
results=()
status=0
for ((run = 1; run <= runs; ++run)); do
  log="$logs/run-$run.log"
  started=$SECONDS
  if (cd "$build" && "${ctest_command[@]}") >"$log" 2>&1; then outcome=green; else outcome=red; fi
  summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1 || true)
  results+=("run $run/$runs: $outcome in $((SECONDS - started)) s, ${summary:-no CTest summary} ($log)")
  echo "${results[-1]}"
  if [ $outcome = red ]; then
    sed -n '/^The following tests FAILED:/,$p' "$log"
    status=1
    break
  fi
done

echo "== $((${#results[@]} - status)) of $runs runs green"
exit $status
