#!/usr/bin/env bash
# Runs the wizard against the bundled demo install service:
#
#   bash tools/run-demo.sh [--missing-components] [--screenshots DIR]
#
# Installs what is needed, builds (Release, in build-release/), makes a demo Wine-prefix-shaped
# folder (build-release/demo/prefix) with WIC and .NET Framework 4.0 present, starts the demo
# service, shows the wizard and stops the service when the wizard ends. --missing-components leaves
# both components out, so the wizard downloads and runs the demo's component installers first.
# Without a display ($DISPLAY unset) it starts Xvfb, drives the wizard through a full install and
# saves a screenshot of every page it passes (build-release/demo/screenshots, or DIR).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${LARKHOLM_DEMO_BUILD_DIR:-$root/build-release}"

for arg in "$@"; do
  case "$arg" in
    -h | --help)
      sed -n '2,11p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
  esac
done

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLARKHOLM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${LARKHOLM_JOBS:-2}"
exec python3 "$root/tools/demo-service/run_demo.py" --build "$build" "$@"
