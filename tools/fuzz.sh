#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a while.
#   bash tools/fuzz.sh            # 20 s per target (the smoke step of the test command)
#   bash tools/fuzz.sh 600        # ten minutes per target
# Each run starts from the committed seed corpus (tests/fuzz/corpus/<target>/) and grows a working
# corpus under the build folder; a finding stops the script with the fuzzer's report and reproducer.
# LARKHOLM_FUZZ_SEED fixes the fuzzer's random seed. The test command sets it, so its smoke step
# replays the committed corpus and then follows the same order of mutations each time; how far it
# gets in its time still depends on the machine, and on a working corpus left by earlier runs. Long
# runs leave it unset and explore afresh each time.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds="${1:-20}"
seed="${LARKHOLM_FUZZ_SEED:-}"
build="${LARKHOLM_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${LARKHOLM_JOBS:-2}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLARKHOLM_BUILD_FUZZ=ON -DLARKHOLM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzzers -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
status=0
run_one() {
  local fuzzer=$1 name
  name=$(basename "$fuzzer" _fuzzer)
  local work="$build/fuzz-work/$name"
  mkdir -p "$work/corpus" "$work/artifacts"
  local seeds="$root/tests/fuzz/corpus/$name"
  local log="$work/last-run.log"
  # The memory limit leaves room for AddressSanitizer's record of allocation call stacks, which
  # only grows over millions of inputs to the recursive parsers (the live heap stays small).
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
       ${seed:+-seed="$seed"} -artifact_prefix="$work/artifacts/" "$work/corpus" ${seeds:+$( [ -d "$seeds" ] && echo "$seeds")} \
       >"$log" 2>&1; then
    printf 'fuzz %-20s ok   %s runs\n' "$name" "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  else
    printf 'fuzz %-20s FAILED, see %s\n' "$name" "$log"
    tail -n 40 "$log"
    return 1
  fi
}
export -f run_one
export build root seconds seed
# Two at a time on two cores.
find "$build/tests/fuzz" -maxdepth 1 -type f -name '*_fuzzer' -perm -u+x | sort |
  xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} || status=1
exit $status
