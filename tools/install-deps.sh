#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and the demo need. The Windows
# parts come on request, for one architecture each (i686 or x86_64, tools/windows-arch.sh):
#   --windows ARCH   the mingw-w64 cross toolchain for ARCH and the source entries that the Windows
#                    libraries are built from (tools/build-windows-deps.sh)
#   --wine ARCH      Wine able to run ARCH's programs, with the GL it draws through: for i686 the
#                    32- and 64-bit Wine of a WoW64 prefix, for x86_64 the 64-bit Wine alone;
#                    and the Chinese locales the Windows suites run their names under
# Idempotent: packages already present are skipped, so a second run costs one dpkg query.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh"
toolchain_arch=""
wine_arch=""
while [ $# -gt 0 ]; do
  case "$1" in
    --windows) toolchain_arch=$2; shift 2 ;;
    --wine) wine_arch=$2; shift 2 ;;
    *) echo "usage: install-deps.sh [--windows ARCH] [--wine ARCH]" >&2; exit 2 ;;
  esac
done
[ -z "$toolchain_arch" ] || windows_arch_check "$toolchain_arch"
[ -z "$wine_arch" ] || windows_arch_check "$wine_arch"

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libcurl4-openssl-dev libjsoncpp-dev libminizip-dev zlib1g-dev libpugixml-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev libpng-dev libgif-dev libx11-dev libxrandr-dev libxinerama-dev libxfixes-dev
  fonts-wqy-microhei
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcpp-httplib-dev libssl-dev libbrotli-dev openssl
  xvfb xserver-xephyr xdotool x11-utils imagemagick zenity zip unzip p7zip-full libarchive-tools curl python3 coreutils
)
case "$toolchain_arch" in
  i686) packages+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686) ;;
  x86_64) packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64) ;;
esac
[ -z "$toolchain_arch" ] || packages+=(libz-mingw-w64-dev mingw-w64-tools dpkg-dev patch xz-utils)
# Direct2D under Wine draws through GL of the program's own architecture, on an Xvfb that xvfb-run
# starts (with xauth).
case "$wine_arch" in
  i686) packages+=(wine wine64 wine32:i386 libgl1-mesa-dri:i386 libgl1:i386 libglx-mesa0:i386 xauth) ;;
  x86_64) packages+=(wine wine64 libgl1-mesa-dri libgl1 libglx-mesa0 xauth) ;;
esac
# Wine takes its ANSI code page from LANG and names Unix files through that locale, which must be
# installed: the Windows suites run their table of names under each of these (C.UTF-8 is built in).
wine_locales=(zh_CN.UTF-8 zh_TW.UTF-8)
[ -z "$wine_arch" ] || packages+=(locales)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
update_lists=0
if [ "$wine_arch" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  update_lists=1
fi
if [ -n "$toolchain_arch" ]; then
  # The Windows libraries are built from Debian's own source packages (the point releases carry
  # the security fixes; the security archive's source pool is not reachable from every machine).
  src_list=/etc/apt/sources.list.d/larkholm-deb-src.sources
  if [ ! -e "$src_list" ]; then
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
      'Suites: bookworm bookworm-updates' 'Components: main' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
      | $sudo tee "$src_list" >/dev/null
    update_lists=1
  fi
fi
[ $update_lists -eq 0 ] || $sudo apt-get update -q

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  # A fresh machine may have no package lists at all; a stale list may lack a package.
  if [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v -E '^(lock|partial|auxfiles)$')" ] \
     || ! $sudo apt-get install -y --no-install-recommends --dry-run "${missing[@]}" >/dev/null 2>&1; then
    $sudo apt-get update -q
  fi
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Each locale is enabled in /etc/locale.gen and generated once; `locale -a` lists it as "zh_CN.utf8".
if [ -n "$wine_arch" ]; then
  generate=0
  for l in "${wine_locales[@]}"; do
    if ! locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf8"; then
      $sudo sed -i "s/^# *\($l UTF-8\)$/\1/" /etc/locale.gen
      grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
      generate=1
    fi
  done
  [ $generate -eq 0 ] || $sudo locale-gen
fi
