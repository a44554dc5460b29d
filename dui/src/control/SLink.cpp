#include "dui/src/control/SLink.h"

#include "support/platform/Process.h"

SLink::SLink() {
    GetStyle().cursor = L"hand";
}

void SLink::OnLButtonDown(UINT flags, POINT pt) {
    if (IsDisabled()) return;
    SWindow::OnLButtonDown(flags, pt);
}

void SLink::OnLButtonUp(UINT flags, POINT pt) {
    if (IsDisabled()) {
        ReleaseCapture();
        return;
    }
    const bool clicked = (GetState() & WndState_PushDown) && PtInRect(&GetWindowRect(), pt);
    SWindow::OnLButtonUp(flags, pt);
    if (clicked && !href_.empty()) ShellOpen(href_);
}

AttrResult SLink::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"href")) {
        href_ = value;
        return AttrResult::kOk;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
