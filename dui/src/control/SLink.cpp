#include "dui/src/control/SLink.h"

#include "support/platform/Process.h"

SLink::SLink() {
    GetStyle().cursor = L"hand";
}

void SLink::OnClick() {
    SWindow::OnClick();
    // The operator's browser with the operator's rights, not the wizard's administrator rights.
    if (!href_.empty()) OpenLink(href_);
}

AttrResult SLink::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"href")) {
        href_ = value;
        return AttrResult::kOk;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
