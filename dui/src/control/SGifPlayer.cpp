#include "dui/src/control/SGifPlayer.h"

#include <algorithm>

#include "dui/include/core/IRenderTarget.h"
#include "dui/src/skin/SSkinGif.h"

namespace {
constexpr UINT kFrameTimer = 1;
}

void SGifPlayer::OnShowWindow(bool show, ParentChangeReason reason) {
    SWindow::OnShowWindow(show, reason);
    ScheduleNextFrame();
}

void SGifPlayer::OnSkinChanged() {
    frame_ = 0;
    ScheduleNextFrame();
}

void SGifPlayer::ScheduleNextFrame() {
    ISwndContainer* container = GetContainer();
    if (container == nullptr) return;
    ISkinObj* skin = GetSkin();
    if (!IsShown() || skin == nullptr || skin->GetStates() < 2 || !skin->IsClass(SSkinGif::kClassName)) {
        container->KillSwndTimer(this, kFrameTimer);
        return;
    }
    const int delay = static_cast<const SSkinGif*>(skin)->GetFrameDelay(frame_);
    container->SetSwndTimer(this, kFrameTimer, static_cast<UINT>(std::max(delay, 10)));
}

void SGifPlayer::OnTimer(UINT timerId) {
    ISkinObj* skin = GetSkin();
    if (timerId != kFrameTimer || skin == nullptr || skin->GetStates() == 0) return;
    frame_ = (frame_ + 1) % skin->GetStates();
    ScheduleNextFrame();
    Invalidate();
}

void SGifPlayer::OnPaint(IRenderTarget& rt) {
    rt.FillRect(GetClientRect(), GetStyle().colorBkgnd);
    if (ISkinObj* skin = GetSkin()) skin->Draw(rt, GetClientRect(), frame_);
}

SIZE SGifPlayer::MeasureContent(int, int) {
    return GetSkin() != nullptr ? GetSkin()->GetSkinSize() : SIZE{};
}
