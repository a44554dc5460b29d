#include "support/platform/NativeWindow.h"

bool IsNativeWindow(HWND window) {
    return window != nullptr && ::IsWindow(window) != FALSE;
}

bool PostToNativeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsNativeWindow(window) && ::PostMessageW(window, message, wParam, lParam) != FALSE;
}
