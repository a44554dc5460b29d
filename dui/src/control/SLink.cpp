#include "dui/src/control/SLink.h"

#include "support/platform/Process.h"

SLink::SLink() {
    GetStyle().cursor = L"hand";
}

void SLink::OnClick() {
    SWindow::OnClick();
    if (!href_.empty()) ShellOpen(href_);
}

AttrResult SLink::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"href")) {
        href_ = value;
        return AttrResult::kOk;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
