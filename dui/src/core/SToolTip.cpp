#include "dui/src/core/SToolTip.h"

#include <algorithm>

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SHostWnd.h"

namespace {

constexpr COLORREF kBackground = RGBA(255, 255, 255, 255);
constexpr COLORREF kBorder = RGBA(118, 118, 118, 255);
constexpr COLORREF kText = RGBA(87, 87, 87, 255);
constexpr UINT kFormat = DT_LEFT | DT_SINGLELINE | DT_VCENTER;
constexpr int kPadX = 6, kPadY = 3;  // dp, as the distance below
// Below the pointer's arrow, as desktop tips sit.
constexpr int kBelowPointer = 20;

std::shared_ptr<IFont> TipFont(int scale) {
    SAppContext* context = SAppContext::Current();
    return context != nullptr ? context->GetFontPool().GetDefaultFont(scale) : nullptr;
}

}  // namespace

void SToolTip::OnMouseMove(SWindow* hover, POINT pt) {
    if (hover == owner_) {
        if (phase_ == Phase::kWaiting) anchor_ = pt;
        return;
    }
    Hide(Phase::kIdle);
    owner_ = hover;
    if (owner_ == nullptr || owner_->GetToolTipText().empty()) return;
    phase_ = Phase::kWaiting;
    anchor_ = pt;
    host_.SetTimer(kTimerId, kInitialMs);
}

void SToolTip::OnPress() {
    Hide(Phase::kDone);
}

void SToolTip::OnLeaveHost() {
    Hide(Phase::kIdle);
    owner_ = nullptr;
}

void SToolTip::Forget(const SWindow* window) {
    if (window != owner_) return;
    Hide(Phase::kIdle);
    owner_ = nullptr;
}

bool SToolTip::OnTimer(UINT_PTR id) {
    if (id != kTimerId) return false;
    host_.KillTimer(kTimerId);
    if (phase_ == Phase::kWaiting)
        Show();
    else
        Hide(Phase::kDone);
    return true;
}

const std::wstring& SToolTip::ShownText() const {
    static const std::wstring none;
    return phase_ == Phase::kShown && owner_ != nullptr ? owner_->GetToolTipText() : none;
}

void SToolTip::Show() {
    const std::shared_ptr<IFont> font = TipFont(host_.GetScale());
    if (owner_ == nullptr || !font) return;
    const SIZE text = font->MeasureText(owner_->GetToolTipText(), kFormat, -1);
    const LONG width = text.cx + 2 * host_.Dp(kPadX), height = text.cy + 2 * host_.Dp(kPadY);
    const RECT client = host_.GetWindowRect();
    // Inside the window, so no platform needs a window of its own for it.
    const LONG left = std::max(client.left, std::min(anchor_.x, client.right - width));
    LONG top = anchor_.y + host_.Dp(kBelowPointer);
    if (top + height > client.bottom) top = anchor_.y - height;
    top = std::max(client.top, top);
    box_ = RECT{left, top, left + width, top + height};
    phase_ = Phase::kShown;
    host_.InvalidateRect(box_);
    host_.SetTimer(kTimerId, kAutoPopMs);
}

void SToolTip::Hide(Phase next) {
    if (phase_ == Phase::kWaiting || phase_ == Phase::kShown) host_.KillTimer(kTimerId);
    if (phase_ == Phase::kShown) host_.InvalidateRect(box_);
    phase_ = next;
}

void SToolTip::Draw(IRenderTarget& rt, const RECT& dirty) const {
    RECT common;
    if (phase_ != Phase::kShown || owner_ == nullptr || !IntersectRect(&common, &box_, &dirty)) return;
    const std::shared_ptr<IFont> font = TipFont(host_.GetScale());
    if (!font) return;
    rt.FillRect(box_, kBackground);
    rt.FrameRect(box_, kBorder, host_.Dp(1));
    const int padX = host_.Dp(kPadX), padY = host_.Dp(kPadY);
    const RECT text{box_.left + padX, box_.top + padY, box_.right - padX, box_.bottom - padY};
    rt.DrawText(owner_->GetToolTipText(), text, kFormat, *font, kText);
}
