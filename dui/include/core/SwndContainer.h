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
//   old one gets WM_MOUSELEAVE and the new one WM_MOUSEHOVER. After every move the capture
//   window, else the hovered one, gets WM_SETCURSOR; when none sets a cursor the arrow is shown;
// - button presses go to the window under the pointer, or to its nearest parent that takes
//   clicks when it lets them through (a caption's title text and logo drag the caption);
//   releases go to the capture window when there is one (so a press that moved out is released
//   on the window that took it);
// - keys and characters go to the focused window.
//
// While the real window is inactive (another window has the keyboard) no tree window has the
// focus: the focused one is told it lost it and gets it back on activation.
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
    // The real window lost (false) or regained (true) the keyboard.
    void OnHostActivate(bool active);

    SWindow* GetHover() const override { return hover; }
    SWindow* GetFocus() const override { return focus; }
    // While inactive, the window is remembered and gets the focus on activation.
    void SetFocus(SWindow* wnd) override;
    bool ShowsFocusCues() const override { return focusCues; }
    // The keyboard moved the focus: focus frames are shown from now on.
    void ShowFocusCues();
    SWindow* GetCapture() const override { return capture; }
    void SetCapture(SWindow* wnd) override { capture = wnd; }
    void ReleaseCapture() override { capture = nullptr; }
    void OnSwndDestroyed(SWindow* wnd) override;

protected:
    ~SwndContainer() = default;

private:
    void UpdateHover(POINT pt);
    void UpdateCursor(POINT pt);

    SWindow& root;
    SWindow* focus = nullptr;
    SWindow* capture = nullptr;
    SWindow* hover = nullptr;
    bool active = true;
    SWindow* focusOnActivate = nullptr;
    bool focusCues = false;
};
