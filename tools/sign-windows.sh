#!/usr/bin/env bash
# sign-windows.sh [EXE]: signs the Windows wizard in place with its Authenticode signature (SHA-256),
# then verifies the result. EXE defaults to the program tools/build-windows.sh made
# (build-windows/dist/larkholm-setup.exe). The signing certificate never comes from the repository:
#   LARKHOLM_SIGN_PFX            the .pfx with the code signing key and its chain (required)
#   LARKHOLM_SIGN_PASSWORD       its password (required; may be empty)
#   LARKHOLM_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp server; the signature then outlives the
#                                certificate (optional)
#   LARKHOLM_SIGN_CAFILE         the roots the result is verified against (default: the system's)
#   LARKHOLM_SIGN_TSA_CAFILE     the roots its time stamp is verified against (default: the above)
# Fails loudly, leaving EXE as it was, when any step fails: a missing setting, a certificate in the
# repository, the signing, the time stamp or the verification.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/windows-arch.sh"

fail() {
  echo "sign-windows.sh: $*" >&2
  exit 1
}

exe=${1:-$(windows_build_dir i686 "$root")/dist/larkholm-setup.exe}
[ -f "$exe" ] || fail "there is no program to sign at $exe"
[ -n "${LARKHOLM_SIGN_PFX:-}" ] || fail "LARKHOLM_SIGN_PFX does not name the signing certificate (.pfx)"
[ -f "$LARKHOLM_SIGN_PFX" ] || fail "the signing certificate $LARKHOLM_SIGN_PFX does not exist"
[ -n "${LARKHOLM_SIGN_PASSWORD+set}" ] || fail "LARKHOLM_SIGN_PASSWORD is not set"
if git -C "$root" ls-files --error-unmatch "$(realpath "$LARKHOLM_SIGN_PFX")" >/dev/null 2>&1; then
  fail "the signing certificate $LARKHOLM_SIGN_PFX is part of the repository; keep it outside"
fi
command -v osslsigncode >/dev/null || fail "osslsigncode is not installed (tools/install-deps.sh)"
cafile=${LARKHOLM_SIGN_CAFILE:-/etc/ssl/certs/ca-certificates.crt}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password reaches osslsigncode through a private file, never its command line.
(umask 077 && printf '%s' "$LARKHOLM_SIGN_PASSWORD" >"$work/password")
sign=(osslsigncode sign -pkcs12 "$LARKHOLM_SIGN_PFX" -readpass "$work/password" -h sha256
      -n "Larkholm server setup" -in "$exe" -out "$work/signed.exe")
verify=(osslsigncode verify -in "$work/signed.exe" -CAfile "$cafile")
if [ -n "${LARKHOLM_SIGN_TIMESTAMP_URL:-}" ]; then
  sign+=(-ts "$LARKHOLM_SIGN_TIMESTAMP_URL")
  verify+=(-TSA-CAfile "${LARKHOLM_SIGN_TSA_CAFILE:-$cafile}")
fi
"${sign[@]}" >"$work/sign.log" 2>&1 || { cat "$work/sign.log" >&2; fail "signing $exe failed"; }
"${verify[@]}" >"$work/verify.log" 2>&1 || { cat "$work/verify.log" >&2; fail "the signed $exe does not verify"; }
if [ -n "${LARKHOLM_SIGN_TIMESTAMP_URL:-}" ] && ! grep -q "Timestamp Server Signature verification: ok" "$work/verify.log"; then
  cat "$work/verify.log" >&2
  fail "the signed $exe carries no time stamp"
fi
# Replaced in one step: a failure above leaves the unsigned program untouched.
cp "$work/signed.exe" "$exe.signing"
mv -f "$exe.signing" "$exe"
echo "$exe: signed by $(sed -n 's/^\s*Subject: //p' "$work/verify.log" | head -n 1)"
