#!/usr/bin/env bash
# Start-up of the Windows wizard under Wine: from launch to its first drawn frame, median of 10,
# against Wine's own notepad.exe from launch to its window, in the same prefix and on the same Xvfb;
# also the size of the executable. LARKHOLM_WINDOWS_BUILD_DIR names the Windows build (default
# build-windows/ in the repository; tools/build-windows.sh makes dist/larkholm-setup.exe there).
set -euo pipefail
windows_build="${LARKHOLM_WINDOWS_BUILD_DIR:-$LARKHOLM_SOURCE_DIR/build-windows}"
exe="$windows_build/dist/larkholm-setup.exe"
if [[ ! -f "$exe" ]]; then
  echo "windows-start: no $exe (run tools/build-windows.sh first), not measured"
  exit 0
fi
exec python3 "$(dirname "${BASH_SOURCE[0]}")/start_bench.py" --exe "$exe" \
  --prefix "${LARKHOLM_BENCH_SCRATCH:-$(pwd)}/prefix" --runs "${LARKHOLM_START_RUNS:-10}"
