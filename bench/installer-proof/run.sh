#!/usr/bin/env bash
# The time the installer proof adds before an installer starts, on a 50 MiB installer, median of 10
# (bench_installer_proof): on Linux its SHA-256 pin; on Windows, when a Windows build with the
# benchmarks is at hand (LARKHOLM_WINDOWS_BUILD_DIR, default build-windows-x64, of architecture
# LARKHOLM_WINDOWS_ARCH, default x86_64), the Authenticode signature and signer under Wine, alone and
# with a pin, on the demo WIC installer grown to 50 MiB and signed by a throwaway authority.
set -euo pipefail
root=$LARKHOLM_SOURCE_DIR
scratch=${LARKHOLM_BENCH_SCRATCH:-$(pwd)}
size=50M

head -c "$size" /dev/urandom >"$scratch/installer"
pin=$(sha256sum "$scratch/installer" | cut -d' ' -f1)
"$LARKHOLM_BENCH_BINARY_DIR/bench_installer_proof" "$scratch/installer" "" "$pin" 50MiB-sha256-pin-linux

windows_build=${LARKHOLM_WINDOWS_BUILD_DIR:-$root/build-windows-x64}
arch=${LARKHOLM_WINDOWS_ARCH:-x86_64}
bench_exe=$windows_build/bench/installer-proof/bench_installer_proof.exe
program=$windows_build/tools/demo-service/windows/wic_x86_chs.exe
trust_root=$windows_build/tests/trust-root.exe
for needed in "$bench_exe" "$program" "$trust_root"; do
  if [ ! -f "$needed" ]; then
    echo "installer-proof: no $needed (a Windows build with -DLARKHOLM_BUILD_BENCH=ON), Windows not measured"
    exit 0
  fi
done
authority=$scratch/authority
mkdir -p "$authority"
bash "$root/tools/test-authority.sh" root "$authority" root "Larkholm Bench Root"
bash "$root/tools/test-authority.sh" codesign "$authority" signer root "Larkholm Bench Signer"
# Data after the last section is part of what the signature covers.
cp "$program" "$scratch/grown.exe"
head -c "$size" /dev/urandom >>"$scratch/grown.exe"
osslsigncode sign -pkcs12 "$authority/signer.pfx" -pass test -h sha256 -in "$scratch/grown.exe" \
  -out "$scratch/signed.exe" >/dev/null
signed_pin=$(sha256sum "$scratch/signed.exe" | cut -d' ' -f1)
prefix=$scratch/prefix
wine_run=(bash "$root/tools/wine-run.sh" --arch "$arch")
"${wine_run[@]}" --boot "$prefix"
trap '"${wine_run[@]}" --stop "$prefix"' EXIT
"${wine_run[@]}" "$prefix" "$trust_root" "$authority/root.pem"
"${wine_run[@]}" "$prefix" "$bench_exe" "$scratch/signed.exe" "Larkholm Bench Signer" "" 50MiB-authenticode-wine
"${wine_run[@]}" "$prefix" "$bench_exe" "$scratch/signed.exe" "Larkholm Bench Signer" "$signed_pin" \
  50MiB-authenticode-and-pin-wine
