#!/usr/bin/env bash
# Runs every libFuzzer target for a long while: ten minutes each by default, two at a time, at low
# priority so the machine stays usable. Each run starts from the committed seeds and the working
# corpus earlier runs left in the fuzz build folder, so repeated runs dig deeper. Prints, per
# target, the executions, the final coverage and the corpus size; a finding stops the script with
# the fuzzer's report and the reproducer's path.
#   bash bench/fuzz-long/run.sh            # 600 s per target
#   bash bench/fuzz-long/run.sh 3600       # an hour per target
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds="${1:-600}"
build="${LARKHOLM_FUZZ_BUILD_DIR:-$root/build-fuzz}"
export LARKHOLM_FUZZ_BUILD_DIR="$build"

status=0
nice -n 10 bash "$root/tools/fuzz.sh" "$seconds" || status=$?

printf '\n%-20s %14s %10s %10s\n' target executions coverage inputs
for log in "$build"/fuzz-work/*/last-run.log; do
  [ -f "$log" ] || continue
  name=$(basename "$(dirname "$log")")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  coverage=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  corpus=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$done_line")
  printf '%-20s %14s %10s %10s\n' "$name" "${runs:-?}" "${coverage:-?}" "$corpus"
done
exit $status
