// An animated picture (element "gifplayer", registered by the application): plays the frames of
// its "skin" (a `gif` skin) in a loop, each for its own delay, and stays on frame 0 of a skin
// with one frame. Wants the picture's size when its size follows its content. The frame timer runs
// only while the player is shown: a hidden page costs nothing.
#pragma once

#include "dui/include/core/SWindow.h"

class SGifPlayer : public SWindow {
    DUI_CLASS(SGifPlayer, SWindow, L"gifplayer")
public:
    SGifPlayer() = default;

    int GetFrame() const { return frame_; }

protected:
    void OnShowWindow(bool show, ParentChangeReason reason) override;
    void OnPaint(IRenderTarget& rt) override;
    void OnTimer(UINT timerId) override;
    void OnSkinChanged() override;
    SIZE MeasureContent(int width, int height) override;

private:
    // Arms the timer for the current frame's delay while shown; stops it otherwise.
    void ScheduleNextFrame();

    int frame_ = 0;
};
