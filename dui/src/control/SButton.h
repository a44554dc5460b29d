// A push button (element "button"): its skin shows the normal, hover, pushed and disabled frames
// (frames 0 to 3) under its text. A press and a release inside raise the command event; a release
// outside cancels; a disabled button raises nothing. Focusable: Enter or Space on the focused
// button press it. "animate" 1 cross-fades from one state frame to the next. "default" 1 makes
// it the default button of its form (Enter in a field presses it); "cancel" 1 makes Escape press
// it (the close button of an overlay).
//
//   step                    state frame   command
//   pointer over            1 (hover)     -
//   press                   2 (pushed)    -
//   release inside          1             raised
//   release outside         0             -
//   disabled                3             never
#pragma once

#include "dui/include/core/SWindow.h"

class SButton : public SWindow {
    DUI_CLASS(SButton, SWindow, L"button")
public:
    SButton();

    bool WantsReturnKey() const override { return true; }
    bool AnswersDialogKey(UINT vk) const override;

protected:
    void OnPaint(IRenderTarget& rt) override;
    // Large enough for both the text and one frame of the skin.
    SIZE MeasureContent(int width, int height) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnTimer(UINT timerId) override;
    void OnStateChanged(DWORD oldState, DWORD newState) override;
    bool NeedRedrawWhenStateChange() const override { return true; }
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

    // The skin frame for `state` (the state index, or 0 when the skin lacks it).
    int FrameOf(DWORD state) const;

private:
    // A fade in progress: the frame it started from and when (Clock ticks).
    bool animate_ = false;
    bool default_ = false;
    bool cancel_ = false;
    int fadeFrom_ = -1;
    std::uint64_t fadeStart_ = 0;
};
