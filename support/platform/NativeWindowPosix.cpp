#include "support/platform/NativeWindow.h"

// The X11 and headless hosts register their windows in-process; there is no system-wide handle.
bool IsNativeWindow(HWND) {
    return false;
}
bool PostToNativeWindow(HWND, UINT, WPARAM, LPARAM) {
    return false;
}
