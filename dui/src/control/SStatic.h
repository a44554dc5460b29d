// A text label (element "text"): the window's text in its style's font, colour and format.
// "multiLines" 1 wraps the text at the window's width instead of keeping it on one line. A press
// on a label belongs to its parent.
#pragma once

#include "dui/include/core/SWindow.h"

class SStatic : public SWindow {
    DUI_CLASS(SStatic, SWindow, L"text")
public:
    SStatic() = default;
    bool TakesClicks() const override { return false; }

protected:
    UINT TextFormat() const override;
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

private:
    bool multiLines_ = false;
};
