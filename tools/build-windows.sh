#!/usr/bin/env bash
# build-windows.sh [--x64] [BUILD]: makes the Windows wizard from a fresh clone,
# BUILD/dist/larkholm-setup.exe. Without --x64 it is the 32-bit program we ship (default folder
# build-windows); with it, the same program for 64-bit Windows (default folder build-windows-x64),
# for machines and testers that run 64-bit programs only. It installs the cross toolchain and builds
# the Windows libraries first (tools/build-windows-deps.sh; a second run only checks their stamps),
# configures the cross build the way tools/test.sh does, so both share the folder, builds the .exe
# alone and copies it to dist/ without its debug information.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/windows-arch.sh"
arch=i686
if [ "${1:-}" = "--x64" ]; then
  arch=x86_64
  shift
fi
build="${1:-$(windows_build_dir "$arch" "$root")}"
jobs="${LARKHOLM_JOBS:-2}"
triple=$(windows_triple "$arch")

bash "$root/tools/build-windows-deps.sh" --arch "$arch" "$build"
build=$(cd "$build" && pwd)
bash "$root/tools/configure-windows.sh" "$arch" "$build"
cmake --build "$build" -j "$jobs" --target larkholm-setup

mkdir -p "$build/dist"
exe="$build/dist/larkholm-setup.exe"
"$triple-strip" --strip-all -o "$exe" "$build/app/larkholm-setup.exe"
size=$(stat -c %s "$exe")
echo "$exe: $size bytes ($(awk -v s="$size" 'BEGIN { printf "%.2f", s / 1048576 }') MiB)"
