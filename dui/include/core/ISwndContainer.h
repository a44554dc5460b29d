// What a window of the tree asks of the real window it lives in (the host, SHostWnd): drawing
// invalidation, mouse capture, keyboard focus, timers, the rendering factory, the real window, and the end of an
// event's bubbling. Every SWindow reaches its container through its root; the host implements it.
// UI thread only. Window pointers handed in stay valid until OnSwndDestroyed for them.
#pragma once

#include "dui/include/core/IHostWindow.h"
#include "dui/include/core/IRenderFactory.h"
#include "support/WinTypes.h"

class SWindow;
class EventArgs;

class ISwndContainer {
public:
    // Marks `rect` (host-client pixels) for repainting before the next frame is shown.
    virtual void InvalidateRect(const RECT& rect) = 0;
    // Asks for a layout pass of the tree before the next paint. `area` is the requesting window's
    // rectangle: it is repainted; whatever the layout moves repaints itself.
    virtual void RequestRelayout(const RECT& area) = 0;

    // Mouse capture inside the tree; nullptr when no window holds it.
    virtual SWindow* GetCapture() const = 0;
    virtual void SetCapture(SWindow* window) = 0;
    virtual void ReleaseCapture() = 0;
    // The window under the mouse (hover), nullptr when the mouse is outside every window.
    virtual SWindow* GetHover() const = 0;

    // Keyboard focus inside the tree; nullptr when none. SetFocus(nullptr) clears it. The old and
    // new windows get WM_KILLFOCUS/WM_SETFOCUS and fire their focus events.
    virtual SWindow* GetFocus() const = 0;
    virtual void SetFocus(SWindow* window) = 0;
    // Whether focused controls draw their focus frame: not until the keyboard has moved the focus,
    // as on the desktop.
    virtual bool ShowsFocusCues() const = 0;

    // Timers of a window: WM_TIMER with `id` reaches the window's OnTimer. Ids are per window.
    virtual bool SetSwndTimer(SWindow* window, UINT id, UINT elapseMs) = 0;
    virtual void KillSwndTimer(SWindow* window, UINT id) = 0;

    // The last stop of a bubbling event: gives it to the owner's event handler. True when handled.
    virtual bool OnFireEvent(EventArgs& event) = 0;

    // Called by a window while it is being destroyed, so focus, capture, hover and timers forget it.
    virtual void OnSwndDestroyed(SWindow* window) = 0;

    virtual IRenderFactory& GetRenderFactory() = 0;
    // The handle of the real window (what workers post to); null before it exists.
    virtual HWND GetHostHwnd() const = 0;
    virtual IHostWindow* GetHostWindow() = 0;

protected:
    ~ISwndContainer() = default;
};
