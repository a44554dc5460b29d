#!/usr/bin/env bash
# build-windows-deps.sh [--arch ARCH] [BUILD]: installs the Windows cross toolchain for ARCH (i686,
# the default, or x86_64; tools/windows-arch.sh), then builds the libraries the Windows build links
# from Debian's own source packages into BUILD/deps (default: the architecture's build folder,
# build-windows or build-windows-x64): libcurl (Schannel, HTTP and HTTPS only), minizip, jsoncpp,
# pugixml, libpng, giflib, GoogleTest/GMock, and cpp-httplib for the test servers. zlib is Debian's
# mingw-w64 build. Every library leaves a stamp naming its source version, recipe and target, so a
# second run only compares stamps, and a folder is never filled from two architectures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/windows-arch.sh"
arch=i686
if [ "${1:-}" = "--arch" ]; then
  arch=$2
  shift 2
fi
windows_arch_check "$arch"
build_dir="${1:-$(windows_build_dir "$arch" "$root")}"
build=$(mkdir -p "$build_dir" && cd "$build_dir" && pwd)
deps="$build/deps"
work="$build/deps-build"
triple=$(windows_triple "$arch")
toolchain="$root/cmake/toolchain-$triple.cmake"
jobs="${LARKHOLM_JOBS:-2}"
mingw_root=/usr/$triple

bash "$root/tools/install-deps.sh" --windows "$arch"
# Libraries of another architecture (or of an older recipe without one) would not link: they go.
if [ -n "$(grep -L -s -e " for $triple\$" "$deps"/stamps/*)" ]; then rm -rf "$deps"; fi
mkdir -p "$deps/lib/pkgconfig" "$deps/include" "$work"

# stamp_current NAME VERSION: true when NAME was already built from VERSION with this recipe.
stamp_current() { [ "$(cat "$deps/stamps/$1" 2>/dev/null)" = "$2" ]; }
stamp_write() { mkdir -p "$deps/stamps" && printf '%s\n' "$2" >"$deps/stamps/$1"; }

# The version apt-get source would unpack, read from the name of its .dsc file.
source_version() {
  apt-get source --print-uris -qq "$1" | sed -n "s/.* $1_\(.*\)\.dsc .*/\1/p" | head -n 1
}

# unpack SOURCE: fresh tree of Debian's source package (patches applied) in $work; prints its path.
unpack() {
  local name=$1
  rm -rf "${work:?}/$name" && mkdir -p "$work/$name"
  (cd "$work/$name" && apt-get source -qq "$name" >"$work/$name.log" 2>&1) \
    || { cat "$work/$name.log" >&2; return 1; }
  find "$work/$name" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

# cmake_install SOURCE_DIR ARGS...: configure, build and install one CMake project into $deps.
cmake_install() {
  local src=$1
  shift
  cmake -S "$src" -B "$src/_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DLARKHOLM_WINDOWS_DEPS="$deps" \
    -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF \
    -DZLIB_INCLUDE_DIR="$mingw_root/include" -DZLIB_LIBRARY="$mingw_root/lib/libz.a" \
    "$@" >"$src/_build.log" 2>&1 || { tail -n 40 "$src/_build.log"; return 1; }
  cmake --build "$src/_build" -j "$jobs" >>"$src/_build.log" 2>&1 || { tail -n 40 "$src/_build.log"; return 1; }
  cmake --install "$src/_build" >>"$src/_build.log" 2>&1
}

# build_library NAME RECIPE_REVISION: builds Debian source package NAME with build_NAME SRC_DIR
# unless its stamp is current.
build_library() {
  local name=$1 version stamp start
  version=$(source_version "$name")
  [ -n "$version" ] || { echo "no source package $name (deb-src entry missing?)" >&2; return 1; }
  stamp="$version recipe $2 for $triple"
  stamp_current "$name" "$stamp" && return 0
  start=$SECONDS
  echo "windows deps: building $name $version"
  local src
  src=$(unpack "$name") && [ -n "$src" ] || return 1
  "build_${name//[.-]/_}" "$src"
  rm -rf "${work:?}/$name"
  stamp_write "$name" "$stamp"
  echo "windows deps: $name done in $((SECONDS - start)) s"
}

build_curl() {
  # Debian's last two patches rename the library for its GnuTLS and NSS flavours; the Windows
  # build uses Schannel under the plain name.
  (cd "$1" && patch -R -s -p1 <debian/patches/99_nss.patch && patch -R -s -p1 <debian/patches/90_gnutls.patch)
  cmake_install "$1" -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_CA_BUNDLE=none \
    -DCURL_CA_PATH=none -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DCURL_USE_LIBSSH2=OFF \
    -DCURL_USE_LIBPSL=OFF -DUSE_LIBIDN2=OFF -DUSE_NGHTTP2=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF \
    -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON -DHTTP_ONLY=ON -DENABLE_MANUAL=OFF \
    -DCURL_STATICLIB=ON
}

build_pugixml() { cmake_install "$1" -DPUGIXML_BUILD_TESTS=OFF; }

build_libjsoncpp() {
  cmake_install "$1" -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
    -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF -DJSONCPP_WITH_PKGCONFIG_SUPPORT=ON
}

build_minizip() {
  cp "$root/tools/windows-deps/minizip/CMakeLists.txt" "$1/"
  cmake_install "$1"
}

build_libpng1_6() {
  cmake_install "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
}

build_giflib() {
  cp "$root/tools/windows-deps/giflib/CMakeLists.txt" "$1/"
  cmake_install "$1"
}

# cpp-httplib for the test servers: Debian's binary package splits it into a header and a shared
# library, so the Windows build takes the single upstream header from the source package.
build_cpp_httplib() {
  cp "$1/httplib.h" "$deps/include/"
  printf '%s\n' "prefix=$deps" 'includedir=${prefix}/include' '' 'Name: cpp-httplib' \
    'Description: HTTP server and client header' "Version: $(basename "$1" | sed 's/^cpp-httplib-//; s/+.*//')" \
    'Cflags: -I${includedir}' 'Libs: -lws2_32 -lcrypt32' >"$deps/lib/pkgconfig/cpp-httplib.pc"
}

build_library curl 1
build_library pugixml 1
build_library libjsoncpp 1
build_library minizip 1
build_library libpng1.6 1
build_library giflib 1
build_library cpp-httplib 1

# GoogleTest and GMock from the Debian package's source folder.
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
if ! stamp_current googletest "$gtest_version recipe 1 for $triple"; then
  start=$SECONDS
  rm -rf "$work/googletest" && cp -r /usr/src/googletest "$work/googletest"
  cmake_install "$work/googletest" -Dgtest_disable_pthreads=OFF
  rm -rf "$work/googletest"
  stamp_write googletest "$gtest_version recipe 1 for $triple"
  echo "windows deps: googletest done in $((SECONDS - start)) s"
fi

# zlib's pkg-config file sits beside Debian's mingw-w64 build, outside the prefix.
cp "$mingw_root/lib/pkgconfig/zlib.pc" "$deps/lib/pkgconfig/zlib.pc"
