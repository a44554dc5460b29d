#!/usr/bin/env bash
# Runs Windows programs under Wine in the test prefix: CTest's cross-compiling emulator.
#   wine-run.sh [--arch ARCH] PREFIX PROGRAM [ARGS...]   run PROGRAM in PREFIX, with its exit code
#   wine-run.sh [--arch ARCH] --boot PREFIX              make PREFIX anew (64-bit) and keep its
#                                                        wineserver up
#   wine-run.sh [--arch ARCH] --stop PREFIX              end PREFIX's wineserver
# ARCH is the architecture of the programs (tools/windows-arch.sh): i686, the default, runs them with
# Wine's 32-bit loader in a WoW64 prefix; x86_64 with wine64 alone, which needs no 32-bit Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh"
arch=i686
if [ "$1" = "--arch" ]; then
  arch=$2
  shift 2
fi
windows_arch_check "$arch"
loader=$(wine_loader "$arch")
# Programs that Wine itself starts (wineboot's helpers, a child process) use the same loader.
[ "$arch" = i686 ] || export WINELOADER=$loader
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
    "$loader" wineboot --init </dev/null >>"$WINEPREFIX.log" 2>&1
    # The UI's Chinese font faces, mapped to the installed CJK font.
    replacements="$WINEPREFIX/drive_c/font-replacements.reg"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$(dirname "$0")/wine-font-replacements.reg"; } >"$replacements"
    "$loader" regedit /S 'C:\font-replacements.reg' </dev/null >>"$WINEPREFIX.log" 2>&1
    rm "$replacements"
    # A new prefix has the user's automatic proxy detection on, which would send every test's
    # requests through a WPAD lookup on the machine's network: the tests' user connects directly
    # (format tag 0x46, counter 1, flags 1 = direct, empty proxy, bypass and script fields).
    "$loader" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections' \
      /v DefaultConnectionSettings /t REG_BINARY /f \
      /d 4600000001000000010000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000 \
      </dev/null >>"$WINEPREFIX.log" 2>&1
    ;;
  --stop)
    WINEPREFIX=$2 wineserver --kill 2>/dev/null || true
    ;;
  *)
    export WINEPREFIX=$1
    shift
    exec "$loader" "$@"
    ;;
esac
