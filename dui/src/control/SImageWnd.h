// A picture (element "img"): one frame of its skin stretched over the client area. The frame is
// "iconIndex" (default 0); SetSkin replaces the picture at run time. Wants the skin's size when
// its size follows its content.
#pragma once

#include "dui/include/core/SWindow.h"

class SImageWnd : public SWindow {
    DUI_CLASS(SImageWnd, SWindow, L"img")
public:
    SImageWnd() = default;
    // A picture does nothing with a press: it belongs to the parent.
    bool TakesClicks() const override { return false; }

    // Shows frame `frame` of `skin` (the window takes its own reference).
    void SetSkin(ISkinObj* skin, int frame = 0);
    int GetIconIndex() const { return frame_; }
    void SetIconIndex(int frame);

protected:
    void OnPaint(IRenderTarget& rt) override;
    SIZE MeasureContent(int width, int height) override;
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

private:
    int frame_ = 0;
};
