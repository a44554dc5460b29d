#!/usr/bin/env bash
# The frame benchmark on Linux (Cairo) and, when a Windows build of it is at hand, under Wine on a
# private Xvfb (Direct2D: Wine draws it through GL, so it needs a display even off-screen), in the
# same run; reports Direct2D against Cairo. LARKHOLM_WINDOWS_BUILD_DIR names the Windows build
# (default build-windows/ in the repository).
set -euo pipefail
scratch="${LARKHOLM_BENCH_SCRATCH:-$(pwd)}"
windows_build="${LARKHOLM_WINDOWS_BUILD_DIR:-$LARKHOLM_SOURCE_DIR/build-windows}"
windows_exe="$windows_build/bench/render-frame/bench_render_frame.exe"

median_of() { tr -d '\r' | tee /dev/stderr | awk '$1 == "MEDIAN-MS" { print $3 }'; }

cairo=$("$LARKHOLM_BENCH_BINARY_DIR/bench_render_frame" | median_of)
if [[ ! -f "$windows_exe" ]]; then
  echo "render-frame: no Windows build at $windows_exe, Direct2D not measured (cairo $cairo ms)"
  exit 0
fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
while [[ ! -s "$scratch/display" ]]; do
  kill -0 "$xvfb" 2>/dev/null || { echo "render-frame: Xvfb did not start"; exit 1; }
  read -r -t 0.1 <> <(:) || true
done
export DISPLAY=":$(cat "$scratch/display")" WINEPREFIX="$scratch/prefix" WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# The frame asks for the Windows Chinese faces; the prefix maps them to the installed CJK font.
for face in "微软雅黑" "Microsoft YaHei" "宋体" "SimSun"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f \
    >/dev/null 2>&1
done
direct2d=$(wine "$windows_exe" | median_of)
echo "RATIO repaint-666x474-direct2d-wine $direct2d $cairo ms cairo-linux"
