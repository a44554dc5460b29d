#include "dui/src/control/SStatic.h"

#include "dui/include/core/IRenderTarget.h"

UINT SStatic::TextFormat() const {
    const UINT format = GetStyle().GetTextFormat();
    // Vertical placement needs a single line; wrapped text starts at the top.
    return multiLines_ ? (format & ~(DT_SINGLELINE | DT_VCENTER | DT_BOTTOM)) | DT_WORDBREAK : format;
}

void SStatic::OnPaint(IRenderTarget& rt) {
    if (!multiLines_) {
        SWindow::OnPaint(rt);
        return;
    }
    if (ISkinObj* skin = GetSkin())
        skin->Draw(rt, GetClientRect(), GetSkinStateIndex(*skin));
    else
        rt.FillRect(GetClientRect(), GetStyle().colorBkgnd);
    if (auto font = GetCurrentFont(); font && !GetText().empty())
        rt.DrawText(GetText(), GetTextRect(), TextFormat(), *font, GetCurrentTextColor());
    DrawFocusRectIfFocused(rt);
}

SIZE SStatic::MeasureContent(int width, int height) {
    if (!multiLines_) return SWindow::MeasureContent(width, height);
    const auto font = GetCurrentFont();
    return font && !GetText().empty() ? font->MeasureText(GetText(), TextFormat(), width) : SIZE{};
}

AttrResult SStatic::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"multiLines")) {
        multiLines_ = ParseFlag(value);
        if (!loading) RequestRelayout();
        return AttrResult::kOk;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
