#!/usr/bin/env bash
# check-windows-imports.sh PREFIX EXE...: every DLL the executables import must be one the Windows
# of the test prefix already has (its 32-bit system folder), so nothing has to ship beside them.
set -euo pipefail
system32="$1/drive_c/windows/syswow64"
[ -d "$system32" ] || system32="$1/drive_c/windows/system32"
shift
status=0
for exe in "$@"; do
  while read -r dll; do
    if [ -z "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
      echo "$(basename "$exe") imports $dll, which is not a system DLL"
      status=1
    fi
  done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -ne 0 ] || echo "$# executables import system DLLs only"
exit $status
