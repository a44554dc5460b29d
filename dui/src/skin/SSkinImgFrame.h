// SSkinImgFrame ("imgframe"): an image list whose states are drawn as nine-grid frames: the
// margins (left, top, right, bottom, in pixels of the skin's scale) keep the corners unscaled while edges and
// middle stretch (or tile). Attributes of SSkinImgList plus "margin" (four numbers or one), "margin-x",
// "margin-y", "left", "top", "right", "bottom".
#pragma once

#include "dui/src/skin/SSkinImgList.h"

class SSkinImgFrame : public SSkinImgList {
    DUI_CLASS(SSkinImgFrame, SSkinImgList, L"imgframe")
public:
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;
    const RECT& GetMargin() const { return margin; }

protected:
    void DrawState(IRenderTarget& rt, const RECT& rc, const RECT& src, BYTE alpha) const override;
    SAutoRefPtr<SSkinImgList> MakeEmpty() const override { return MakeRef<SSkinImgFrame>(); }
    // The margins follow the scale, so the corners stay the same part of the picture.
    void CopyScaled(SSkinImgList& into, int target) const override;

private:
    template <LONG RECT::*side>
    static AttrResult SetSide(SSkinImgFrame& skin, const std::wstring& value, bool loading);

    RECT margin{};
};
