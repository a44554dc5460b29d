// Windows the system itself keeps, for handles that are not in the in-process registry of
// support/WindowMessages.h: on Windows a real HWND (IsWindow, PostMessageW); Linux has none that
// workers can reach, so there both answer false.
#pragma once

#include "support/WinTypes.h"

bool IsNativeWindow(HWND window);
// False (and nothing posted) when `window` is no live native window or its queue is full.
bool PostToNativeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
