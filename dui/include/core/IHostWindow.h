// The platform's real top-level window as the host (SHostWnd) sees it, and the sink through which
// the platform hands messages back. Made by IHost::CreateHostWindow; owned by the SHostWnd that
// asked for it; destroying it takes the real window down. UI thread only.
//
// Input arrives as the Win32 messages of the same meaning, in client coordinates:
// WM_MOUSEMOVE/WM_LBUTTONDOWN/WM_LBUTTONUP/WM_LBUTTONDBLCLK/WM_RBUTTON*/WM_MOUSEWHEEL with
// lParam = MAKELPARAM(x, y) and wParam = MK_* flags, WM_MOUSELEAVE, WM_KEYDOWN/WM_KEYUP with a VK_*
// code, WM_CHAR with one printable Unicode code point (typed text and input-method text; control
// keys come only as WM_KEYDOWN, and the state of Shift and Ctrl through IHost::IsKeyDown),
// WM_SETFOCUS/WM_KILLFOCUS for the real window, WM_SIZE with the new client size, WM_PAINT when
// exposed parts must be shown again, WM_CLOSE when the user or the window manager closes it,
// WM_DPICHANGED (Windows) when the window moved to a monitor of another DPI.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dui/include/core/RenderTypes.h"
#include "support/WinTypes.h"

struct PixelView;

// Whether keys typed into the window may go through the system's input method (composition and
// candidate lists): only while a field that takes ordinary text has the focus.
enum class InputMethod { Off, On };

class IHostWindowSink {
public:
    // The window procedure: every message the platform window receives, on the UI thread.
    virtual LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~IHostWindowSink() = default;
};

// What the real window looks like at creation (the host attributes turned into platform terms).
struct HostWindowParams {
    std::wstring className;  // the application's host class name (window-manager class)
    std::wstring title;
    RECT rect;                 // screen position and size; a zero size is allowed (resized later)
    DWORD style = 0;           // WS_* bits the host computed
    DWORD exStyle = 0;         // WS_EX_* bits
    bool translucent = false;  // per-pixel alpha
};

class IHostWindow {
public:
    virtual ~IHostWindow() = default;

    virtual void SetTitle(const std::wstring& title) = 0;
    // Window icons, any number of sizes (the window manager picks).
    virtual void SetIcons(const std::vector<ImgFrame>& icons) = 0;
    // Whole-window opacity 0-255.
    virtual void SetOpacity(BYTE alpha) = 0;

    virtual RECT GetWindowRect() const = 0;  // screen coordinates
    virtual SIZE GetClientSize() const = 0;
    // Moves and/or resizes; the client area gets the whole size (the window is undecorated).
    virtual void SetWindowRect(const RECT& rect) = 0;
    // Shows or hides: SW_SHOW, SW_SHOWNORMAL, SW_HIDE, SW_MINIMIZE, SW_RESTORE, SW_MAXIMIZE(3).
    virtual void ShowWindow(int command) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual bool IsMinimized() const = 0;

    // Lets the user move the window with the mouse from `screenPoint` (caption drag). Returns when
    // the platform's move loop ends, or at once where the window manager moves the window itself.
    virtual void BeginMoveDrag(POINT screenPoint) = 0;

    // Shows the part `dirty` of the host's drawing. The pixels are the client area's.
    virtual void Present(const PixelView& pixels, const RECT& dirty) = 0;
    // Asks for a WM_PAINT; parts invalidated before it comes are merged.
    virtual void Invalidate(const RECT& rect) = 0;
    // The merged invalid part (client coordinates), now considered painted; empty when none.
    virtual RECT TakeUpdateRect() = 0;

    // Mouse capture: while held, mouse messages come to this window even outside it.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual void SetCursor(const std::wstring& name) = 0;  // names as SResProviderMgr's cursors
    // Where the input method should put its candidate window: the caret in client coordinates.
    virtual void SetImePosition(POINT caret) = 0;
    // Off while a password field or no text field has the focus: an input method in its native
    // mode would turn the letters of a password into visible composition text and other characters.
    virtual void SetInputMethod(InputMethod mode) = 0;

    // Asks the session to wait with a log-off or restart while work runs that must not be cut short,
    // giving `reason` where the system lists what it waits for; an empty reason lets it end again.
    virtual void HoldSessionEnd(const std::wstring& reason) = 0;

    // The system clipboard's text; empty when it holds none.
    virtual std::wstring GetClipboardText() = 0;
    virtual void SetClipboardText(const std::wstring& text) = 0;

    // The display scale the window is on, in percent (100 = 96 DPI): the monitor's on Windows,
    // Xft.dpi on X11. Windows also says when it changes (WM_DPICHANGED).
    virtual int GetScale() const = 0;

    // Client point to screen point.
    virtual POINT ClientToScreen(POINT point) const = 0;

    // The platform's own handle of the window (an X window id, an HWND), for other programs'
    // windows that belong to it, such as the folder picker; 0 when there is none.
    virtual std::uintptr_t GetNativeHandle() const = 0;
    // Keeps the top-level windows of another program this one started (a picker) in front of
    // this window, as owned windows are; safe to call again and again while it runs.
    virtual void AdoptWindowsOf(int processId) = 0;
};
