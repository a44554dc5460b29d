// Mouse and keyboard messages of a real window in the framework's terms: client coordinates for
// the wheel too, WM_MOUSELEAVE armed with TrackMouseEvent, WM_CHAR as one printable code point
// (the two UTF-16 halves of a surrogate pair joined, control characters left to WM_KEYDOWN).
// One per window; UI thread only.
#pragma once

#include <windows.h>

#include <optional>

struct FrameworkInput {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Win32Input {
public:
    // What `message` of `window` means to the framework; nullopt for messages that are not input,
    // or input that has no meaning yet (the first half of a surrogate pair).
    std::optional<FrameworkInput> Translate(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::optional<FrameworkInput> OnCharUnit(WPARAM unit, LPARAM lParam);

    bool trackingLeave_ = false;
    wchar_t highSurrogate_ = 0;
};
