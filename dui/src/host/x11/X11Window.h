// IHostWindow on an X11 top-level window: undecorated (the application draws its own caption),
// titled through _NET_WM_NAME, with _NET_WM_ICON icons, opacity through _NET_WM_WINDOW_OPACITY,
// caption drag through _NET_WM_MOVERESIZE (or by moving the window itself where no window manager
// offers it), minimise through XIconifyWindow, the close button of the window manager turned into
// WM_CLOSE, and the CLIPBOARD selection. Translates the window's X events into Win32 messages
// queued on the host. Made by HostX11; UI thread only.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <map>
#include <string>

#include "dui/include/core/IHostWindow.h"
#include "dui/src/host/UpdateRegion.h"
#include "dui/src/host/WindowPlacement.h"

class HostX11;

class X11Window : public IHostWindow {
public:
    X11Window(HostX11& host, HWND hwnd, const HostWindowParams& params);
    ~X11Window() override;
    // False when the X window could not be made.
    bool IsValid() const { return xwin_ != 0; }

    void SetTitle(const std::wstring& title) override;
    void SetIcons(const std::vector<ImgFrame>& icons) override;
    void SetOpacity(BYTE alpha) override;
    RECT GetWindowRect() const override { return rect_; }
    SIZE GetClientSize() const override { return SIZE{rect_.right - rect_.left, rect_.bottom - rect_.top}; }
    void SetWindowRect(const RECT& rect) override;
    void ShowWindow(int command) override;
    bool IsVisible() const override { return placement_.visible; }
    bool IsMaximized() const override { return placement_.maximized; }
    bool IsMinimized() const override { return placement_.minimized; }
    int GetScale() const override;
    void BeginMoveDrag(POINT screenPoint) override;
    void Present(const PixelView& pixels, const RECT& dirty) override;
    void Invalidate(const RECT& rect) override;
    RECT TakeUpdateRect() override;
    void SetCapture() override {}
    void ReleaseCapture() override {}
    void SetCursor(const std::wstring& name) override;
    void SetImePosition(POINT caret) override;
    // Not switched on X11: the window keeps one input context for every field.
    void SetInputMethod(InputMethod) override {}
    // X11 sessions do not ask their windows before they end.
    void HoldSessionEnd(const std::wstring&) override {}
    std::wstring GetClipboardText() override;
    void SetClipboardText(const std::wstring& text) override;
    POINT ClientToScreen(POINT point) const override {
        return POINT{point.x + rect_.left, point.y + rect_.top};
    }
    std::uintptr_t GetNativeHandle() const override { return xwin_; }
    // Sets WM_TRANSIENT_FOR on the process's top-level windows (found by _NET_WM_PID): pickers do
    // not all honour the window they are told to attach to.
    void AdoptWindowsOf(int processId) override;

    // One event of this window, from the host's pump.
    void HandleEvent(XEvent& event);

private:
    void Queue(UINT message, WPARAM wParam, LPARAM lParam);
    void SetSizeHints();
    void SyncModifiers(unsigned int state);
    void OnButton(const XButtonEvent& event, bool press);
    void OnMotion(const XMotionEvent& event);
    void OnKey(XKeyEvent& event, bool press);
    void OnFocus(const XFocusChangeEvent& event, bool in);
    void OnConfigure(const XConfigureEvent& event);
    void OnSelectionRequest(const XSelectionRequestEvent& request);
    WPARAM MouseFlags(unsigned int state) const;
    void SetCardinalProperty(Atom property, const std::vector<unsigned long>& values);
    // The _NET_WM_PID of `window`; -1 when it has none.
    long ProcessOf(Window window) const;

    HostX11& host_;
    Display* display_;
    HWND hwnd_;
    Window xwin_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    Colormap colormap_ = 0;
    GC gc_ = nullptr;
    XIC inputContext_ = nullptr;
    DWORD style_;
    RECT rect_{};
    UpdateRegion update_;
    WindowPlacement placement_;
    bool shiftDown_ = false;
    bool controlDown_ = false;
    // Moving the window ourselves when no window manager does it: the pointer's offset in the window.
    bool dragging_ = false;
    POINT dragOffset_{};
    // Double clicks are made here: X reports only single presses.
    Time lastPressTime_ = 0;
    POINT lastPressPoint_{};
    bool lastPressWasDouble_ = false;
    Time lastEventTime_ = CurrentTime;
    std::wstring clipboard_;
    std::map<std::wstring, Cursor> cursors_;
};
