#!/usr/bin/env bash
# Makes the Windows wizard from a fresh clone: <build>/dist/larkholm-setup.exe (default build folder
# build-windows). It installs the cross toolchain and builds the Windows libraries first
# (tools/build-windows-deps.sh; a second run only checks their stamps), configures the cross build
# the way tools/test.sh does, so both share the folder, builds the .exe alone and copies it to dist/
# without its debug information.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${1:-${LARKHOLM_WINDOWS_BUILD_DIR:-$root/build-windows}}"
jobs="${LARKHOLM_JOBS:-2}"

bash "$root/tools/build-windows-deps.sh" "$build"
build=$(cd "$build" && pwd)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" \
  -DLARKHOLM_WINDOWS_DEPS="$build/deps" -DLARKHOLM_WERROR=ON -DLARKHOLM_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j "$jobs" --target larkholm-setup

mkdir -p "$build/dist"
exe="$build/dist/larkholm-setup.exe"
i686-w64-mingw32-strip --strip-all -o "$exe" "$build/app/larkholm-setup.exe"
size=$(stat -c %s "$exe")
echo "$exe: $size bytes ($(awk -v s="$size" 'BEGIN { printf "%.2f", s / 1048576 }') MiB)"
