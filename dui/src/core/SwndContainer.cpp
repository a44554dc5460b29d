#include "dui/include/core/SwndContainer.h"

#include "dui/include/core/SWindow.h"

void SwndContainer::UpdateHover(POINT pt) {
    SWindow* under = root.SwndFromPoint(pt);
    if (capture) under = PtInRect(&capture->GetWindowRect(), pt) ? capture : nullptr;
    if (under == hover) return;
    SWindow* old = hover;
    hover = under;
    if (old) old->SendWindowMessage(WM_MOUSELEAVE);
    if (hover && !hover->IsDisabled()) hover->SendWindowMessage(WM_MOUSEHOVER, 0, MAKELPARAM(pt.x, pt.y));
}

void SwndContainer::DispatchMouseMessage(UINT message, WPARAM wParam, POINT pt) {
    UpdateHover(pt);
    SWindow* target = capture ? capture : hover;
    if (message == WM_MOUSEWHEEL) target = hover;
    if (!target || target->IsDisabled()) return;
    target->SendWindowMessage(message, wParam, MAKELPARAM(pt.x, pt.y));
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

void SwndContainer::SetFocus(SWindow* wnd) {
    if (wnd == focus) return;
    SWindow* old = focus;
    focus = wnd;
    if (old) old->SendWindowMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(wnd));
    if (wnd && focus == wnd) wnd->SendWindowMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
}

void SwndContainer::OnSwndDestroyed(SWindow* wnd) {
    if (focus == wnd) focus = nullptr;
    if (capture == wnd) capture = nullptr;
    if (hover == wnd) hover = nullptr;
}
