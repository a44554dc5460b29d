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
objdump=$(command -v i686-w64-mingw32-objdump || command -v x86_64-w64-mingw32-objdump)
status=0
for exe in "$@"; do
  folder=$system32
  "$objdump" -f "$exe" | grep -q 'file format pei-i386' && folder=$syswow64
  while read -r dll; do
    if [ -z "$(find "$folder" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
      echo "$(basename "$exe") imports $dll, which is not a system DLL"
      status=1
    fi
  done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -ne 0 ] || echo "$# executables import system DLLs only"
exit $status
