#!/usr/bin/env bash
# Builds the benchmarks (Release, -DLARKHOLM_BUILD_BENCH=ON), runs every benchmark folder under
# bench/ and prints one table of the ratios they report. bench/README.md says how a benchmark plugs
# in. Arguments, when given, name the benchmarks to run (e.g. `bash bench/run-all.sh md5 unzip`).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${LARKHOLM_BENCH_BUILD_DIR:-$root/build-bench}"

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DLARKHOLM_BUILD_BENCH=ON -DLARKHOLM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${LARKHOLM_JOBS:-2}"

shopt -s nullglob
work=$(mktemp -d "${TMPDIR:-/tmp}/larkholm-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
: >"$work/results"
ran=() failed=()

for dir in "$root"/bench/*/; do
  name=$(basename "$dir")
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  # The long fuzzing runs take the better part of an hour and measure no ratio: only when named.
  if [ $# -eq 0 ] && [ "$name" = fuzz-long ]; then continue; fi
  if [ -f "$dir/run.sh" ]; then
    command=(bash "$dir/run.sh")
  elif [ -x "$build/bench/$name/bench_$name" ]; then
    command=("$build/bench/$name/bench_$name")
  else
    echo "== $name: skipped (neither run.sh nor an executable bench_$name)"
    continue
  fi
  echo "== $name"
  mkdir -p "$work/$name"
  if (cd "$work/$name" &&
      LARKHOLM_SOURCE_DIR="$root" LARKHOLM_BUILD_DIR="$build" \
      LARKHOLM_BENCH_BINARY_DIR="$build/bench/$name" LARKHOLM_BENCH_SCRATCH="$work/$name" \
      "${command[@]}") 2>&1 | tee "$work/$name.log"; then
    ran+=("$name")
  else
    failed+=("$name")
  fi
  # Lines "RATIO case ours reference unit tool" and "PEAK case kibibytes" (bench/README.md).
  awk -v bench="$name" '$1 == "RATIO" && NF >= 6 { print bench, "ratio", $2, $3, $4, $5, $6 }
                        $1 == "PEAK" && NF >= 3 { print bench, "peak", $2, $3 }' "$work/$name.log" >>"$work/results"
  rm -rf "${work:?}/$name"
done

echo
if [ ${#ran[@]} -eq 0 ] && [ ${#failed[@]} -eq 0 ]; then
  echo "No benchmark found under bench/."
  exit 0
fi
awk '
  BEGIN { printf "%-12s %-28s %12s %12s %-5s %-10s %8s\n", "benchmark", "case", "ours", "reference", "unit", "tool", "ratio" }
  $2 == "ratio" {
    ratio = ($5 + 0 != 0) ? sprintf("%.2f", $4 / $5) : "-"
    printf "%-12s %-28s %12s %12s %-5s %-10s %8s\n", $1, $3, $4, $5, $6, $7, ratio
  }
  $2 == "peak" { peaks[++n] = sprintf("%-12s %-28s %10.1f MiB", $1, $3, $4 / 1024) }
  END {
    print "ratio = ours / reference (times: below 1 is faster than the tool; rates: above 1 is faster)"
    if (n > 0) { print ""; print "peak memory (ours)"; for (i = 1; i <= n; ++i) print peaks[i] }
  }' "$work/results"
if [ ${#failed[@]} -gt 0 ]; then
  echo
  echo "failed: ${failed[*]}"
  exit 1
fi
