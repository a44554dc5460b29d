// IHostWindow on a real top-level HWND. The window has no frame of the system's: the client area is
// the whole window (the application draws its own caption), whatever WS_* bits the layout asks
// for. Its procedure turns real messages into the framework's and queues them on the host; the
// framework handle (from RegisterWindow) is what the queued messages carry, never the HWND.
// Translucent windows are layered and shown with UpdateLayeredWindow; the others are painted
// from the same off-screen copy of the frame. Made by HostWin32; UI thread only.
#pragma once

#include <windows.h>

#include "dui/include/core/IHostWindow.h"
#include "dui/src/host/UpdateRegion.h"
#include "dui/src/host/WindowPlacement.h"
#include "dui/src/host/win32/Win32Icons.h"
#include "dui/src/host/win32/Win32Input.h"
#include "dui/src/host/win32/Win32Surface.h"

class HostWin32;

class Win32Window : public IHostWindow {
public:
    Win32Window(HostWin32& host, HWND hwnd, IHostWindowSink& sink, const HostWindowParams& params);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;
    // False when the system refused the class or the window.
    bool IsValid() const { return real_ != nullptr; }
    HWND NativeWindow() const { return real_; }

    void SetTitle(const std::wstring& title) override;
    void SetIcons(const std::vector<ImgFrame>& icons) override;
    void SetOpacity(BYTE alpha) override;
    RECT GetWindowRect() const override { return rect_; }
    SIZE GetClientSize() const override { return SIZE{rect_.right - rect_.left, rect_.bottom - rect_.top}; }
    void SetWindowRect(const RECT& rect) override;
    void ShowWindow(int command) override;
    bool IsVisible() const override;
    bool IsMaximized() const override { return placement_.maximized; }
    bool IsMinimized() const override;
    int GetScale() const override;
    void BeginMoveDrag(POINT screenPoint) override;
    void Present(const PixelView& pixels, const RECT& dirty) override;
    void Invalidate(const RECT& rect) override;
    RECT TakeUpdateRect() override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void SetCursor(const std::wstring& name) override;
    void SetImePosition(POINT caret) override;
    void SetInputMethod(InputMethod mode) override;
    void HoldSessionEnd(const std::wstring& reason) override;
    std::wstring GetClipboardText() override;
    void SetClipboardText(const std::wstring& text) override;
    POINT ClientToScreen(POINT point) const override {
        return POINT{point.x + rect_.left, point.y + rect_.top};
    }
    std::uintptr_t GetNativeHandle() const override { return reinterpret_cast<std::uintptr_t>(real_); }
    // The shell's folder dialog is a window of this process that is given this window as its
    // owner, so the system already keeps it in front: nothing to adopt.
    void AdoptWindowsOf(int) override {}

    // The window procedure of the host's window class.
    static LRESULT CALLBACK Procedure(HWND real, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnSize(WPARAM kind, LPARAM size);
    // Maximise and restore follow the framework's placement, not the system's (which would
    // maximise to the monitor with room for a frame we do not have); the rest is the system's.
    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    bool OnSetCursor(WPARAM over, LPARAM hit);
    // Hands the framework the new DPI and the system's suggested rectangle, kept here until the
    // queued message is handled.
    void OnDpiChanged(WPARAM dpi, const RECT& suggested);
    // The size is the framework's alone: snapping to a screen edge, Win+arrow and the system's
    // maximise keep the window's size, and a system-maximised window fills the work area, not the
    // monitor and a frame's width beyond it.
    void OnGetMinMaxInfo(MINMAXINFO& limits) const;
    void OnWindowPosChanging(WINDOWPOS& position) const;

    HostWin32& host_;
    HWND hwnd_;
    HWND real_ = nullptr;
    bool translucent_;
    BYTE alpha_ = 255;
    RECT rect_;
    SIZE reportedSize_{};  // the client size the framework was last told of
    RECT dpiSuggested_{};  // the rectangle of the last WM_DPICHANGED
    UpdateRegion update_;
    WindowPlacement placement_;
    Win32Input input_;
    Win32Surface surface_;
    WindowIcons icons_;
    HCURSOR cursor_;
    std::wstring sessionEndReason_;  // while not empty, a log-off or restart is asked to wait
};
