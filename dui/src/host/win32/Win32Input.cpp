#include <windows.h>

#include <windowsx.h>

#include "dui/src/host/win32/Win32Input.h"
#include "support/TextConvert.h"

std::optional<FrameworkInput> Win32Input::Translate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (!trackingLeave_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
            }
            return FrameworkInput{message, wParam, lParam};
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            return FrameworkInput{message, 0, 0};
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return FrameworkInput{message, wParam, lParam};
        case WM_RBUTTONDBLCLK:
            // The framework knows double clicks of the left button only.
            return FrameworkInput{WM_RBUTTONDOWN, wParam, lParam};
        case WM_MOUSEWHEEL: {
            // The system gives the wheel's point on the screen.
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ScreenToClient(window, &point);
            return FrameworkInput{message, wParam, MAKELPARAM(point.x, point.y)};
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
            return FrameworkInput{message, wParam, lParam};
        case WM_CHAR:
            return OnCharUnit(wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            highSurrogate_ = 0;  // half a character typed elsewhere is no character
            return FrameworkInput{message, 0, 0};
        default:
            return std::nullopt;
    }
}

std::optional<FrameworkInput> Win32Input::OnCharUnit(WPARAM unit, LPARAM lParam) {
    if (IsHighSurrogate(unit)) {
        highSurrogate_ = static_cast<wchar_t>(unit);
        return std::nullopt;
    }
    const wchar_t high = highSurrogate_;
    highSurrogate_ = 0;
    if (IsLowSurrogate(unit)) {
        // A low half without its high half is no character.
        if (high == 0) return std::nullopt;
        return FrameworkInput{WM_CHAR, JoinSurrogates(high, static_cast<char32_t>(unit)), lParam};
    }
    // Backspace, Tab, Return, Escape and Ctrl+letter arrive as WM_KEYDOWN already.
    if (unit < 0x20 || unit == 0x7F) return std::nullopt;
    return FrameworkInput{WM_CHAR, unit, lParam};
}
