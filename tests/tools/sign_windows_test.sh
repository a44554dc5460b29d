#!/usr/bin/env bash
# sign_windows_test.sh EXE: tools/sign-windows.sh on copies of the Windows program EXE, with a
# throwaway authority made here: it signs and verifies with a good certificate, also with a time stamp
# from an RFC 3161 server on 127.0.0.1 (tests/testing/time_stamp_server.py), and fails loudly,
# leaving the program unchanged, without a certificate, with a wrong password, with an expired
# certificate (no time stamp) and with a time-stamp server that does not answer (a closed port on
# 127.0.0.1). Prints one line per case; exits non-zero when a case goes otherwise.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exe=$1
work=$(mktemp -d)
authority=$work/authority
bash "$root/tools/test-authority.sh" root "$authority" root "Larkholm Test Root" || exit 1
bash "$root/tools/test-authority.sh" codesign "$authority" signer root "Larkholm Test Signer" || exit 1
bash "$root/tools/test-authority.sh" codesign "$authority" expired root "Larkholm Test Signer" --expired || exit 1
bash "$root/tools/test-authority.sh" timestamping "$authority" tsa root "Larkholm Test Time Stamps" || exit 1
python3 "$root/tests/testing/time_stamp_server.py" "$authority" tsa root "$work/tsa-port" &
tsa=$!
trap 'kill $tsa; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/tsa-port" ] && break; sleep 0.1; done
# A port nothing listens on: bound, then let go.
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

failures=0
# check NAME EXPECTED VARIABLE=VALUE...: signs a fresh copy with the settings given; EXPECTED is
# signed, signed-time-stamped or refused.
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
    osslsigncode verify -in "$copy" -CAfile "$authority/root.pem" -TSA-CAfile "$authority/root.pem" \
      >"$work/$name.verify" 2>&1 && outcome=signed || outcome=broken
    grep -q "Timestamp Server Signature verification: ok" "$work/$name.verify" && outcome=$outcome-time-stamped
  elif ! cmp -s "$exe" "$copy" || ! grep -q "sign-windows.sh: " "$work/$name.out"; then
    outcome=changed-or-silent
  fi
  echo "$name: $outcome ($(tail -n 1 "$work/$name.out"))"
  [ "$outcome" = "$expected" ] || failures=$((failures + 1))
}

good=(LARKHOLM_SIGN_PFX="$authority/signer.pfx" LARKHOLM_SIGN_PASSWORD=test)
check good-certificate signed "${good[@]}"
check time-stamped signed-time-stamped "${good[@]}" LARKHOLM_SIGN_TIMESTAMP_URL="http://127.0.0.1:$(cat "$work/tsa-port")/"
check no-certificate refused LARKHOLM_SIGN_PASSWORD=test
check no-password refused LARKHOLM_SIGN_PFX="$authority/signer.pfx"
check wrong-password refused LARKHOLM_SIGN_PFX="$authority/signer.pfx" LARKHOLM_SIGN_PASSWORD=wrong
check expired-certificate refused LARKHOLM_SIGN_PFX="$authority/expired.pfx" LARKHOLM_SIGN_PASSWORD=test
check silent-time-stamp-server refused "${good[@]}" LARKHOLM_SIGN_TIMESTAMP_URL="http://127.0.0.1:$closed_port/"
exit $((failures > 0))
