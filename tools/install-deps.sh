#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and the demo need.
# Idempotent: packages already present are skipped, so a second run costs one dpkg query.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libcurl4-openssl-dev libjsoncpp-dev libminizip-dev zlib1g-dev libpugixml-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev libpng-dev libgif-dev libx11-dev libxrandr-dev libxinerama-dev libxfixes-dev
  fonts-wqy-microhei
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcpp-httplib-dev libssl-dev libbrotli-dev
  xvfb xserver-xephyr xdotool x11-utils imagemagick zenity zip unzip curl python3 coreutils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists at all; a stale list may lack a package.
if [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v -E '^(lock|partial|auxfiles)$')" ] \
   || ! $sudo apt-get install -y --no-install-recommends --dry-run "${missing[@]}" >/dev/null 2>&1; then
  $sudo apt-get update -q
fi
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
