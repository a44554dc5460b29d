#include "dui/src/control/SStatic.h"

UINT SStatic::TextFormat() const {
    const UINT format = SWindow::TextFormat();
    // Vertical placement needs a single line; wrapped text starts at the top.
    return multiLines_ ? (format & ~(DT_SINGLELINE | DT_VCENTER | DT_BOTTOM)) | DT_WORDBREAK : format;
}

AttrResult SStatic::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"multiLines")) {
        multiLines_ = ParseFlag(value);
        if (!loading) RequestRelayout();
        return AttrResult::kOk;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
