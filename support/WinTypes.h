// The small part of the Win32 vocabulary the program uses, with its Win32 values.
// On Windows these come from <windows.h>; everywhere else from here, so portable code
// can speak of HWND, WM_TIMER or DT_CENTER without including an OS header.
#pragma once

#ifdef _WIN32
#include <windows.h>

// Posted by the system for the caret's blink; <windows.h> leaves it out.
constexpr UINT WM_SYSTIMER = 0x0118;
#ifndef WM_DPICHANGED
// The window's monitor has another DPI (Windows 8.1 and later); older headers lack it.
#define WM_DPICHANGED 0x02E0
#endif
#else
#include <cstdint>

using UINT = unsigned int;
using DWORD = std::uint32_t;
using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using UINT_PTR = std::uintptr_t;
struct HWND__;
using HWND = HWND__*;

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
};
struct POINT {
    LONG x = 0, y = 0;
};
struct SIZE {
    LONG cx = 0, cy = 0;
};
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_SYSTIMER = 0x0118;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_IME_CHAR = 0x0286;
// wParam: the new DPI in both words; lParam: the suggested window rectangle (const RECT*).
constexpr UINT WM_DPICHANGED = 0x02E0;
constexpr UINT WM_USER = 0x0400;

// System commands.
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;
constexpr UINT HTCAPTION = 2;

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_LAYERED = 0x00080000;

// Text drawing formats.
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Virtual keys.
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;  // Alt
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;

constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;

inline constexpr WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
inline constexpr WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
inline constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<WORD>(low)) |
                               (static_cast<std::uint32_t>(static_cast<WORD>(high)) << 16));
}
// Signed client coordinates packed by MAKELPARAM (negative when the mouse is captured outside).
inline constexpr int GET_X_LPARAM(LPARAM v) {
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(v)));
}
inline constexpr int GET_Y_LPARAM(LPARAM v) {
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(v)));
}
// Rectangle helpers of User32, with its conventions: right and bottom are outside the rectangle.
inline constexpr BOOL IsRectEmpty(const RECT* r) {
    return r->right <= r->left || r->bottom <= r->top;
}
inline constexpr BOOL PtInRect(const RECT* r, POINT p) {
    return p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}
// The smallest rectangle holding both (an empty one counts for nothing); FALSE when that is empty.
inline BOOL UnionRect(RECT* out, const RECT* a, const RECT* b) {
    if (IsRectEmpty(a))
        *out = *b;
    else if (IsRectEmpty(b))
        *out = *a;
    else
        *out = RECT{a->left < b->left ? a->left : b->left, a->top < b->top ? a->top : b->top,
                    a->right > b->right ? a->right : b->right, a->bottom > b->bottom ? a->bottom : b->bottom};
    return !IsRectEmpty(out);
}
// The common part; FALSE (and an empty rectangle) when there is none.
inline BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b) {
    *out = RECT{a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
                a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom};
    if (IsRectEmpty(out)) *out = RECT{};
    return !IsRectEmpty(out);
}
inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
#endif

// The client point of a mouse message: signed, negative when the mouse is captured outside.
inline constexpr POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
