#include "dui/src/control/SImageWnd.h"

#include "dui/include/core/IRenderTarget.h"

void SImageWnd::SetSkin(ISkinObj* skin, int frame) {
    frame_ = frame;
    SWindow::SetSkin(skin);
}

void SImageWnd::SetIconIndex(int frame) {
    frame_ = frame;
    Invalidate();
}

void SImageWnd::OnPaint(IRenderTarget& rt) {
    rt.FillRect(GetClientRect(), GetStyle().colorBkgnd);
    if (ISkinObj* skin = GetSkin()) skin->Draw(rt, GetClientRect(), frame_);
}

SIZE SImageWnd::MeasureContent(int, int) {
    ISkinObj* skin = GetSkin();
    return skin != nullptr ? skin->GetSkinSize() : SIZE{};
}

AttrResult SImageWnd::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"iconIndex")) {
        frame_ = static_cast<int>(ParseIntAuto(value));
        return AttrResult::kOk;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
