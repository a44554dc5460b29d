#!/usr/bin/env bash
# check-windows-imports.sh PREFIX EXE...: every DLL the executables import must be one the Windows
# of the test prefix already has, so nothing has to ship beside them. A 64-bit executable is judged
# by the prefix's system folder; a 32-bit one by its SysWOW64 folder, or, in a prefix that only the
# 64-bit Wine made (SysWOW64 empty), by the system folder, whose DLLs bear the same names.
set -euo pipefail
system32="$1/drive_c/windows/system32"
syswow64="$1/drive_c/windows/syswow64"
[ -n "$(find "$syswow64" -maxdepth 1 -iname '*.dll' -print -quit 2>/dev/null)" ] || syswow64=$system32
shift
# The x86_64 objdump reads 32- and 64-bit programs alike; the i686 one reads only 32-bit ones, and a
# program it cannot read must fail the check rather than pass with no imports listed.
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v i686-w64-mingw32-objdump)
status=0
for exe in "$@"; do
  folder=$system32
  if ! header=$("$objdump" -f "$exe") || ! imports=$("$objdump" -p "$exe"); then
    echo "$(basename "$exe"): its imports cannot be read"
    status=1
    continue
  fi
  grep -q 'file format pei-i386' <<<"$header" && folder=$syswow64
  while read -r dll; do
    if [ -z "$(find "$folder" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
      echo "$(basename "$exe") imports $dll, which is not a system DLL"
      status=1
    fi
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$imports")
done
[ $status -ne 0 ] || echo "$# executables import system DLLs only"
exit $status
