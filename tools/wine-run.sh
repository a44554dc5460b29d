#!/usr/bin/env bash
# Runs Windows programs under Wine in the test prefix: CTest's cross-compiling emulator.
#   wine-run.sh PREFIX PROGRAM [ARGS...]   run PROGRAM in PREFIX, with its exit code
#   wine-run.sh --boot PREFIX              make PREFIX anew (WoW64) and keep its wineserver up
#   wine-run.sh --stop PREFIX              end PREFIX's wineserver
set -euo pipefail
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
  --boot)
    export WINEPREFIX=$2 WINEARCH=win64
    # A server left over from an interrupted run would still hold the old prefix.
    wineserver --kill 2>/dev/null || true
    rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
    # One persistent server for the run: each test process then starts in about a second. Its
    # output goes to a file so that it holds none of CTest's pipes open.
    wineserver --persistent </dev/null >"$WINEPREFIX.log" 2>&1
    wineboot --init </dev/null >>"$WINEPREFIX.log" 2>&1
    # The UI's Chinese font faces, mapped to the installed CJK font.
    replacements="$WINEPREFIX/drive_c/font-replacements.reg"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$(dirname "$0")/wine-font-replacements.reg"; } >"$replacements"
    wine regedit /S 'C:\font-replacements.reg' </dev/null >>"$WINEPREFIX.log" 2>&1
    rm "$replacements"
    ;;
  --stop)
    WINEPREFIX=$2 wineserver --kill 2>/dev/null || true
    ;;
  *)
    export WINEPREFIX=$1
    shift
    exec wine "$@"
    ;;
esac
