// SwndContainer: the keyboard focus, mouse capture, hover tracking and mouse/keyboard routing of
// one window tree. A host derives from it (and from SWindow as the tree's root), feeds it the
// platform's input with Dispatch*, and supplies the rest of ISwndContainer (invalidation,
// re-layout, timers, the owner's event handler, the render factory, the real window).
// UI thread only.
//
// Routing rules:
// - a mouse move goes to the capture window when there is one, else to the window under the
//   pointer. The hovered window is the window under the pointer, or while a window holds the
//   capture, that window when the pointer is inside it and none otherwise; when it changes the
//   old one gets WM_MOUSELEAVE and the new one WM_MOUSEHOVER;
// - button presses go to the window under the pointer, releases to the capture window when
//   there is one (so a press that moved out is released on the window that took it);
// - keys and characters go to the focused window.
#pragma once

#include "dui/include/core/ISwndContainer.h"

class SwndContainer : public ISwndContainer {
public:
    explicit SwndContainer(SWindow& root) : root(root) {}

    // `message` is a WM_ mouse message, `pt` in host client coordinates.
    void DispatchMouseMessage(UINT message, WPARAM wParam, POINT pt);
    // The pointer left the host window.
    void OnMouseLeaveHost();
    // WM_KEYDOWN, WM_KEYUP, WM_CHAR: to the focused window; false when there is none.
    bool DispatchKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);

    SWindow* GetHover() const override { return hover; }
    SWindow* GetFocus() const override { return focus; }
    void SetFocus(SWindow* wnd) override;
    SWindow* GetCapture() const override { return capture; }
    void SetCapture(SWindow* wnd) override { capture = wnd; }
    void ReleaseCapture() override { capture = nullptr; }
    void OnSwndDestroyed(SWindow* wnd) override;

protected:
    ~SwndContainer() = default;

private:
    void UpdateHover(POINT pt);

    SWindow& root;
    SWindow* focus = nullptr;
    SWindow* capture = nullptr;
    SWindow* hover = nullptr;
};
