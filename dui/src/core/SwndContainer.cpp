#include "dui/include/core/SwndContainer.h"

#include "dui/include/core/SWindow.h"

namespace {

bool IsPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN;
}

// The window a press on `wnd` belongs to: `wnd`, or its nearest parent that takes clicks.
SWindow* ClickTarget(SWindow* wnd) {
    while (wnd != nullptr && !wnd->TakesClicks() && wnd->GetParent() != nullptr) wnd = wnd->GetParent();
    return wnd;
}

}  // namespace

void SwndContainer::UpdateHover(POINT pt) {
    SWindow* under = root.SwndFromPoint(pt);
    if (capture) under = PtInRect(&capture->GetWindowRect(), pt) ? capture : nullptr;
    if (under == hover) return;
    SWindow* old = hover;
    hover = under;
    if (old) old->SendWindowMessage(WM_MOUSELEAVE);
    if (hover && !hover->IsDisabled()) hover->SendWindowMessage(WM_MOUSEHOVER, 0, MAKELPARAM(pt.x, pt.y));
}

void SwndContainer::UpdateCursor(POINT pt) {
    SWindow* over = capture ? capture : hover;
    if (over && !over->IsDisabled() && over->SendWindowMessage(WM_SETCURSOR, 0, MAKELPARAM(pt.x, pt.y)) != 0)
        return;
    if (IHostWindow* window = GetHostWindow()) window->SetCursor(L"arrow");
}

void SwndContainer::DispatchMouseMessage(UINT message, WPARAM wParam, POINT pt) {
    UpdateHover(pt);
    SWindow* target = capture ? capture : hover;
    if (message == WM_MOUSEWHEEL) target = hover;
    if (!capture && IsPress(message)) target = ClickTarget(hover);
    if (target && !target->IsDisabled()) target->SendWindowMessage(message, wParam, MAKELPARAM(pt.x, pt.y));
    if (message == WM_MOUSEMOVE) UpdateCursor(pt);
}

void SwndContainer::OnMouseLeaveHost() {
    if (SWindow* old = hover) {
        hover = nullptr;
        old->SendWindowMessage(WM_MOUSELEAVE);
    }
}

bool SwndContainer::DispatchKeyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!focus) return false;
    focus->SendWindowMessage(message, wParam, lParam);
    return true;
}

void SwndContainer::OnHostActivate(bool nowActive) {
    if (nowActive == active) return;
    if (!nowActive) {
        SWindow* had = focus;
        SetFocus(nullptr);
        active = false;
        focusOnActivate = had;
        return;
    }
    active = true;
    SWindow* restore = focusOnActivate;
    focusOnActivate = nullptr;
    // What was focused may have been hidden or disabled meanwhile.
    if (restore && restore->IsShown() && !restore->IsDisabled()) SetFocus(restore);
}

void SwndContainer::SetFocus(SWindow* wnd) {
    if (!active) {
        focusOnActivate = wnd;
        return;
    }
    if (wnd == focus) return;
    SWindow* old = focus;
    focus = wnd;
    // Before the field learns of its focus, so that its first keys already go the right way.
    if (IHostWindow* window = GetHostWindow())
        window->SetInputMethod(wnd && wnd->TakesComposedText() ? InputMethod::On : InputMethod::Off);
    if (old) old->SendWindowMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(wnd));
    if (wnd && focus == wnd) wnd->SendWindowMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
}

void SwndContainer::ShowFocusCues() {
    if (focusCues) return;
    focusCues = true;
    if (focus) focus->Invalidate();
}

void SwndContainer::OnSwndDestroyed(SWindow* wnd) {
    if (focus == wnd) focus = nullptr;
    if (capture == wnd) capture = nullptr;
    if (hover == wnd) hover = nullptr;
    if (focusOnActivate == wnd) focusOnActivate = nullptr;
}
