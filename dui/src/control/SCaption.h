// The caption (element "caption"): the part of the window the user drags to move it. A press
// starts the platform's move (followed by a button-up at the same point when the move ends); a
// double click maximises a host that has a sizing frame and a maximise box, or restores it.
#pragma once

#include "dui/include/core/SWindow.h"

class SCaption : public SWindow {
    DUI_CLASS(SCaption, SWindow, L"caption")
public:
    SCaption() = default;

protected:
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonDblClk(UINT flags, POINT pt) override;
};
