#include "dui/src/control/SProgress.h"

#include <algorithm>

#include "dui/include/core/IRenderTarget.h"
#include "support/WideFormat.h"

namespace {

// A skin attribute naming no skin fails (and clears the skin).
AttrResult KeepSkin(SAutoRefPtr<ISkinObj>& target, ISkinObj* skin) {
    target = SAutoRefPtr<ISkinObj>(skin);
    return skin != nullptr ? AttrResult::kOk : AttrResult::kFailed;
}

}  // namespace

int SProgress::GetValue() const {
    return std::clamp(value_, min_, std::max(min_, max_));
}

void SProgress::SetValue(int value) {
    const int clamped = std::clamp(value, min_, std::max(min_, max_));
    if (clamped == value_) return;
    value_ = clamped;
    Invalidate();
}

void SProgress::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    Invalidate();
}

void SProgress::OnPaint(IRenderTarget& rt) {
    const RECT client = GetClientRect();
    rt.FillRect(client, GetStyle().colorBkgnd);
    if (bkgndSkin_) bkgndSkin_->Draw(rt, client, 0);
    const int span = max_ - min_;
    if (span > 0 && posSkin_) {
        const double part = static_cast<double>(GetValue() - min_) / span;
        RECT filled = client;
        if (vertical_)
            filled.top = client.bottom - static_cast<LONG>((client.bottom - client.top) * part + 0.5);
        else
            filled.right = client.left + static_cast<LONG>((client.right - client.left) * part + 0.5);
        if (filled.right > filled.left && filled.bottom > filled.top) posSkin_->Draw(rt, filled, 0);
    }
    if (showPercent_ && span > 0)
        DrawText(rt, WideFormat(L"%d%%", (GetValue() - min_) * 100 / span), GetTextRect());
}

SIZE SProgress::MeasureContent(int, int) {
    return bkgndSkin_ ? bkgndSkin_->GetSkinSize() : SIZE{};
}

AttrResult SProgress::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    static const SAttrTable<SProgress> table{
        {L"min",
         [](SProgress& p, const std::wstring& v, bool) {
             p.min_ = static_cast<int>(ParseIntAuto(v));
             p.max_ = std::max(p.min_, p.max_);
             return AttrResult::kOk;
         }},
        {L"max",
         [](SProgress& p, const std::wstring& v, bool) {
             p.max_ = std::max(p.min_, static_cast<int>(ParseIntAuto(v)));
             return AttrResult::kOk;
         }},
        {L"value",
         [](SProgress& p, const std::wstring& v, bool) {
             p.value_ = static_cast<int>(ParseIntAuto(v));
             return AttrResult::kOk;
         }},
        {L"vertical",
         [](SProgress& p, const std::wstring& v, bool) {
             p.vertical_ = ParseFlag(v);
             return AttrResult::kOk;
         }},
        {L"showPercent",
         [](SProgress& p, const std::wstring& v, bool) {
             p.showPercent_ = ParseFlag(v);
             return AttrResult::kOk;
         }},
        {L"bkgndSkin",
         [](SProgress& p, const std::wstring& v, bool) { return KeepSkin(p.bkgndSkin_, p.FindSkin(v)); }},
        {L"posSkin",
         [](SProgress& p, const std::wstring& v, bool) { return KeepSkin(p.posSkin_, p.FindSkin(v)); }},
    };
    const AttrResult result = table.Apply(*this, name, value, loading);
    if (result == AttrResult::kDeclined) return SWindow::OnClassAttribute(name, value, loading);
    Invalidate();
    return result;
}
