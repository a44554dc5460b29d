#!/usr/bin/env bash
# sign-test-programs.sh OUT ARCH PREFIX TRUST_ROOT_EXE PROGRAM [EXTRA...]: the signed Windows programs
# the tests prove and refuse, made at test time with a throwaway authority (tools/test-authority.sh)
# whose root is then added to the machine ROOT store of the Wine prefix PREFIX (tools/wine-run.sh
# --arch ARCH, through TRUST_ROOT_EXE), as an operator's machine trusts the real authorities.
#   OUT/signed.exe             PROGRAM signed by "Larkholm Test Signer" under the trusted root
#   OUT/unsigned.exe           PROGRAM as built
#   OUT/flipped.exe            signed.exe with one byte of its code changed after the signing
#   OUT/other-signer.exe       signed by "Someone Else" under the trusted root
#   OUT/unknown-authority.exe  signed by "Larkholm Test Signer" under a root nobody trusts
#   OUT/expired.exe            signed by "Larkholm Test Signer" with a certificate that expired, and
#                              no time stamp
#   OUT/time-stamped.exe       signed.exe's signing with a time stamp from an RFC 3161 server on
#                              127.0.0.1 (tests/testing/time_stamp_server.py)
#   OUT/NAME.signed.exe        each EXTRA program (file name NAME.exe) signed like signed.exe, by
#                              tools/sign-windows.sh, which verifies it with osslsigncode
# OUT/authority holds the keys and certificates; nothing there is committed anywhere.
# Its roots are named apart from those of the https tests (make-test-certificates.sh), which the
# same prefix trusts: a chain is built by issuer names, and two trusted roots of one name would
# leave the verifier to pick one of them.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=$1 arch=$2 prefix=$3 trust_root=$4 program=$5
shift 5
authority=$out/authority
rm -rf "$out"
mkdir -p "$authority"
issue() { bash "$root/tools/test-authority.sh" "$@"; }
issue root "$authority" root "Larkholm Test Signing Root"
issue root "$authority" stranger-root "Unknown Test Signing Root"
issue codesign "$authority" signer root "Larkholm Test Signer"
issue codesign "$authority" other-signer root "Someone Else"
issue codesign "$authority" stranger stranger-root "Larkholm Test Signer"
issue codesign "$authority" expired root "Larkholm Test Signer" --expired
issue timestamping "$authority" tsa root "Larkholm Test Time Stamps"

# sign CERTIFICATE OUTPUT [-ts URL]: PROGRAM signed with CERTIFICATE's .pfx (osslsigncode, SHA-256).
sign() {
  osslsigncode sign -pkcs12 "$authority/$1.pfx" -pass test -h sha256 "${@:3}" -in "$program" -out "$out/$2" >/dev/null
}
sign signer signed.exe
sign other-signer other-signer.exe
sign stranger unknown-authority.exe
sign expired expired.exe
python3 "$root/tests/testing/time_stamp_server.py" "$authority" tsa root "$authority/tsa-port" &
tsa=$!
trap 'kill $tsa' EXIT
for _ in $(seq 100); do [ -s "$authority/tsa-port" ] && break; sleep 0.1; done
sign signer time-stamped.exe -ts "http://127.0.0.1:$(cat "$authority/tsa-port")/"
cp "$program" "$out/unsigned.exe"
cp "$out/signed.exe" "$out/flipped.exe"
# A byte of the first section's code (sections start at 0x400 or later), which the signature covers.
offset=$((0x400 + 0x100))
byte=$(od -An -tu1 -j "$offset" -N1 "$out/flipped.exe" | tr -d ' ')
printf "$(printf '\\%03o' $((byte ^ 0xff)))" | dd of="$out/flipped.exe" bs=1 seek="$offset" conv=notrunc status=none

for extra in "$@"; do
  signed=$out/$(basename "$extra" .exe).signed.exe
  cp "$extra" "$signed"
  LARKHOLM_SIGN_PFX=$authority/signer.pfx LARKHOLM_SIGN_PASSWORD=test LARKHOLM_SIGN_CAFILE=$authority/root.pem \
    bash "$root/tools/sign-windows.sh" "$signed"
done

bash "$root/tools/wine-run.sh" --arch "$arch" "$prefix" "$trust_root" "$authority/root.pem"
