#!/usr/bin/env bash
# configure-windows.sh ARCH BUILD [CMAKE_ARGS...]: configures the Windows cross build of ARCH (i686
# or x86_64) in BUILD against the libraries tools/build-windows-deps.sh made there, with the tests.
# The one configuration that tools/build-windows.sh and tools/test.sh share.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/windows-arch.sh"
arch=$1
build=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2
windows_arch_check "$arch"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$(windows_triple "$arch").cmake" \
  -DLARKHOLM_WINDOWS_DEPS="$build/deps" -DLARKHOLM_WERROR=ON -DLARKHOLM_BUILD_TESTS=ON "$@" >/dev/null
