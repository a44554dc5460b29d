// The DPI a window is drawn at, asked in the newest way the running Windows offers: the window's
// own DPI (Windows 10 1607 and later), its monitor's (Windows 8.1), else the system's (Windows 7,
// and any process the system does not let see per-monitor values). The newer calls are looked up
// at run time, so the program still starts on Windows 7. UI thread only.
#pragma once

#include <windows.h>

// 96 when nothing answers.
int WindowDpi(HWND window);
