// IHostWindow without a display: it keeps what a real window would show (rectangle, visibility,
// title, icons, opacity, cursor, maximised/minimised state) so tests can read it, and asks the
// host loop for WM_PAINT when invalidated. Made by HostHeadless; UI thread only.
#pragma once

#include "dui/include/core/IHostWindow.h"
#include "dui/src/host/UpdateRegion.h"
#include "dui/src/host/WindowPlacement.h"

class HostHeadless;

class HeadlessWindow : public IHostWindow {
public:
    HeadlessWindow(HostHeadless& host, HWND hwnd, const HostWindowParams& params);
    ~HeadlessWindow() override;

    void SetTitle(const std::wstring& newTitle) override { title = newTitle; }
    void SetIcons(const std::vector<ImgFrame>& newIcons) override { icons = newIcons; }
    void SetOpacity(BYTE alpha) override { opacity = alpha; }
    RECT GetWindowRect() const override { return rect; }
    SIZE GetClientSize() const override { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }
    void SetWindowRect(const RECT& newRect) override;
    void ShowWindow(int command) override;
    bool IsVisible() const override { return placement.visible; }
    bool IsMaximized() const override { return placement.maximized; }
    bool IsMinimized() const override { return placement.minimized; }
    // No screen: 96 DPI (LARKHOLM_SCALE sets another scale).
    int GetScale() const override { return 100; }
    void BeginMoveDrag(POINT screenPoint) override;
    void Present(const PixelView& pixels, const RECT& dirty) override;
    void Invalidate(const RECT& rect) override;
    RECT TakeUpdateRect() override;
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    void SetCursor(const std::wstring& name) override { cursor = name; }
    void SetImePosition(POINT caret) override { imePosition = caret; }
    void SetInputMethod(InputMethod mode) override { inputMethod = mode; }
    void HoldSessionEnd(const std::wstring& reason) override {
        if (!reason.empty() && sessionEndReason.empty()) ++sessionEndHolds;
        sessionEndReason = reason;
    }
    std::wstring GetClipboardText() override;
    void SetClipboardText(const std::wstring& text) override;
    POINT ClientToScreen(POINT point) const override {
        return POINT{point.x + rect.left, point.y + rect.top};
    }
    std::uintptr_t GetNativeHandle() const override { return 0; }
    void AdoptWindowsOf(int) override {}

    // What a test may look at.
    std::wstring title;
    std::vector<ImgFrame> icons;
    BYTE opacity = 255;
    RECT rect{};
    WindowPlacement placement;
    bool captured = false;
    std::wstring cursor;
    POINT imePosition{};
    InputMethod inputMethod = InputMethod::Off;
    std::wstring sessionEndReason;  // what the session is asked to wait for; empty when nothing
    int sessionEndHolds = 0;        // times a wait began
    int moveDrags = 0;              // BeginMoveDrag calls
    int presentCount = 0;           // frames shown
    RECT lastPresented{};           // the part the last frame showed
    DWORD style = 0;
    DWORD exStyle = 0;

private:
    HostHeadless& host_;
    HWND hwnd_;
    UpdateRegion update_;
};
