#include "dui/src/control/SCheckBox.h"

#include <algorithm>

#include "dui/include/core/IRenderTarget.h"

SCheckBox::SCheckBox() : SCheckBox(L"_skin.sys.checkbox") {}

SCheckBox::SCheckBox(const wchar_t* defaultSkin) {
    SetSkin(FindSkin(defaultSkin));
    GetStyle().align = SwndStyle::kAlignLeft;
    ApplyAttribute(L"focusable", L"1", true);
}

int SCheckBox::BoxFrame(const ISkinObj& skin) const {
    // The checked frames are the second four.
    int frame = StateIndexOf(GetState() & ~WndState_Check);
    if (IsChecked()) frame += 4;
    // A skin with fewer frames shows checked as its second frame, else its first.
    if (frame >= skin.GetStates()) frame = IsChecked() && skin.GetStates() > 1 ? 1 : 0;
    return frame;
}

RECT SCheckBox::BoxRect(SIZE box) const {
    const RECT client = GetClientRect();
    const LONG top = client.top + (client.bottom - client.top - box.cy) / 2;
    return RECT{client.left, top, client.left + box.cx, top + box.cy};
}

void SCheckBox::OnPaint(IRenderTarget& rt) {
    const RECT client = GetClientRect();
    rt.FillRect(client, GetStyle().colorBkgnd);
    RECT textRect = GetTextRect();
    if (ISkinObj* skin = GetSkin()) {
        const RECT box = BoxRect(skin->GetSkinSize());
        skin->Draw(rt, box, BoxFrame(*skin));
        if (focusSkin_ && IsFocused() && ShowsFocusCues()) focusSkin_->Draw(rt, box, BoxFrame(*focusSkin_));
        textRect.left = std::max(textRect.left, box.right + Dp(GetStyle().sepSpace));
    }
    DrawText(rt, GetText(), textRect);
    DrawFocusRectIfFocused(rt);
}

SIZE SCheckBox::MeasureContent(int width, int height) {
    const SIZE box = GetSkin() != nullptr ? GetSkin()->GetSkinSize() : SIZE{};
    const int gap = box.cx > 0 ? box.cx + Dp(GetStyle().sepSpace) : 0;
    const SIZE text = SWindow::MeasureContent(width < 0 ? width : std::max(0, width - gap), height);
    return SIZE{gap + text.cx, std::max(box.cy, text.cy)};
}

void SCheckBox::OnClicked() {
    SetCheck(!IsChecked());
}

void SCheckBox::OnClick() {
    OnClicked();
    SWindow::OnClick();
}

void SCheckBox::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE && !IsDisabled()) OnClick();
}

AttrResult SCheckBox::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"checked")) {
        SetCheck(ParseFlag(value));
        return AttrResult::kOk;
    }
    if (EqualsNoCase(name, L"focusSkin")) {
        ISkinObj* skin = FindSkin(value);
        focusSkin_ = SAutoRefPtr<ISkinObj>(skin);
        return skin != nullptr ? AttrResult::kOk : AttrResult::kFailed;
    }
    return SWindow::OnClassAttribute(name, value, loading);
}
