#!/usr/bin/env bash
# sign_windows_test.sh EXE: tools/sign-windows.sh on copies of the Windows program EXE, with a
# throwaway authority made here: it signs and verifies with a good certificate, and fails loudly,
# leaving the program unchanged, without a certificate, with a wrong password, with an expired
# certificate (no time stamp) and with a time-stamp server that does not answer (a closed port on
# 127.0.0.1). Prints one line per case; exits non-zero when a case goes otherwise.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
authority=$work/authority
bash "$root/tools/test-authority.sh" root "$authority" root "Larkholm Test Root" || exit 1
bash "$root/tools/test-authority.sh" codesign "$authority" signer root "Larkholm Test Signer" || exit 1
bash "$root/tools/test-authority.sh" codesign "$authority" expired root "Larkholm Test Signer" --expired || exit 1
# A port nothing listens on: bound, then let go.
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

failures=0
# check NAME EXPECTED(signed|refused) VARIABLE=VALUE...: signs a fresh copy with the settings given.
check() {
  local name=$1 expected=$2
  shift 2
  local copy=$work/$name.exe
  cp "$exe" "$copy"
  env -u LARKHOLM_SIGN_PFX -u LARKHOLM_SIGN_PASSWORD -u LARKHOLM_SIGN_TIMESTAMP_URL \
    LARKHOLM_SIGN_CAFILE="$authority/root.pem" "$@" bash "$root/tools/sign-windows.sh" "$copy" \
    >"$work/$name.out" 2>&1
  local status=$?
  local outcome=refused
  if [ $status -eq 0 ]; then
    osslsigncode verify -in "$copy" -CAfile "$authority/root.pem" >/dev/null 2>&1 && outcome=signed || outcome=broken
  elif ! cmp -s "$exe" "$copy" || ! grep -q "sign-windows.sh: " "$work/$name.out"; then
    outcome=changed-or-silent
  fi
  echo "$name: $outcome ($(tail -n 1 "$work/$name.out"))"
  [ "$outcome" = "$expected" ] || failures=$((failures + 1))
}

good=(LARKHOLM_SIGN_PFX="$authority/signer.pfx" LARKHOLM_SIGN_PASSWORD=test)
check good-certificate signed "${good[@]}"
check no-certificate refused LARKHOLM_SIGN_PASSWORD=test
check no-password refused LARKHOLM_SIGN_PFX="$authority/signer.pfx"
check wrong-password refused LARKHOLM_SIGN_PFX="$authority/signer.pfx" LARKHOLM_SIGN_PASSWORD=wrong
check expired-certificate refused LARKHOLM_SIGN_PFX="$authority/expired.pfx" LARKHOLM_SIGN_PASSWORD=test
check silent-time-stamp-server refused "${good[@]}" LARKHOLM_SIGN_TIMESTAMP_URL="http://127.0.0.1:$closed_port/"
exit $((failures > 0))
