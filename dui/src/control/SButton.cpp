#include "dui/src/control/SButton.h"

#include <algorithm>

#include "dui/include/core/IRenderTarget.h"
#include "support/Clock.h"

namespace {

constexpr UINT kFadeTimer = 1;
constexpr UINT kFadeStepMs = 20;
constexpr int kFadeMs = 160;

}  // namespace

SButton::SButton() {
    SetSkin(FindSkin(L"_skin.sys.btn.normal"));
    ApplyAttribute(L"focusable", L"1", true);
}

int SButton::FrameOf(DWORD state) const {
    ISkinObj* skin = GetSkin();
    const int index = StateIndexOf(state);
    return skin != nullptr && index < skin->GetStates() ? index : 0;
}

void SButton::OnPaint(IRenderTarget& rt) {
    ISkinObj* skin = GetSkin();
    if (skin == nullptr || fadeFrom_ < 0) {
        SWindow::OnPaint(rt);
        return;
    }
    const int elapsed = static_cast<int>(Clock::Ticks() - fadeStart_);
    const BYTE alpha = static_cast<BYTE>(std::clamp(elapsed * 255 / kFadeMs, 0, 255));
    skin->Draw(rt, GetClientRect(), fadeFrom_);
    skin->Draw(rt, GetClientRect(), FrameOf(GetState()), alpha);
    DrawText(rt, GetText(), GetTextRect());
    DrawFocusRectIfFocused(rt);
}

SIZE SButton::MeasureContent(int width, int height) {
    const SIZE text = SWindow::MeasureContent(width, height);
    const SIZE frame = GetSkin() != nullptr ? GetSkin()->GetSkinSize() : SIZE{};
    return SIZE{std::max(text.cx, frame.cx), std::max(text.cy, frame.cy)};
}

void SButton::OnStateChanged(DWORD oldState, DWORD newState) {
    SWindow::OnStateChanged(oldState, newState);
    ISwndContainer* container = GetContainer();
    if (!animate_ || container == nullptr || FrameOf(oldState) == FrameOf(newState)) return;
    fadeFrom_ = FrameOf(oldState);
    fadeStart_ = Clock::Ticks();
    container->SetSwndTimer(this, kFadeTimer, kFadeStepMs);
}

void SButton::OnTimer(UINT timerId) {
    if (timerId != kFadeTimer) return;
    if (Clock::Ticks() - fadeStart_ >= static_cast<std::uint64_t>(kFadeMs)) {
        fadeFrom_ = -1;
        if (ISwndContainer* container = GetContainer()) container->KillSwndTimer(this, kFadeTimer);
    }
    Invalidate();
}

void SButton::OnKeyDown(UINT key, UINT, UINT) {
    if ((key == VK_RETURN || key == VK_SPACE) && !IsDisabled()) RaiseCommand();
}

bool SButton::AnswersDialogKey(UINT vk) const {
    return (vk == VK_RETURN && default_) || (vk == VK_ESCAPE && cancel_);
}

AttrResult SButton::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"animate")) return Flag(animate_, value);
    if (EqualsNoCase(name, L"default")) return Flag(default_, value);
    if (EqualsNoCase(name, L"cancel")) return Flag(cancel_, value);
    return SWindow::OnClassAttribute(name, value, loading);
}
