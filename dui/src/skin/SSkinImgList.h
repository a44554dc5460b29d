// SSkinImgList ("imglist"): a picture holding several states side by side (or stacked with
// "vertical"), each drawn stretched (or tiled with "tile") into the destination.
// Attributes: "src" (image id, e.g. "IMG:image_info_icon_png"), "states" (default 1),
// "vertical", "tile", "scale".
#pragma once

#include <memory>

#include "dui/include/core/IBitmap.h"
#include "dui/include/core/ISkinObj.h"

class SSkinImgList : public ISkinObj {
    DUI_CLASS(SSkinImgList, ISkinObj, L"imglist")
public:
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;
    void Draw(IRenderTarget& rt, const RECT& rc, int state, BYTE alpha = 255) const override;
    SIZE GetSkinSize() const override;
    int GetStates() const override { return states; }

    SAutoRefPtr<ISkinObj> Scaled(int target) const override;

    void SetImage(std::shared_ptr<IBitmap> image) { picture = std::move(image); }
    const IBitmap* GetImage() const { return picture.get(); }

protected:
    // The part of the picture that holds `state`.
    RECT StateRect(int state) const;
    virtual void DrawState(IRenderTarget& rt, const RECT& rc, const RECT& src, BYTE alpha) const;
    // An empty skin of this class, and the copy of this one's look into it at `target` percent
    // (the picture excepted): the pieces of Scaled that a derived skin adds to.
    virtual SAutoRefPtr<SSkinImgList> MakeEmpty() const { return MakeRef<SSkinImgList>(); }
    virtual void CopyScaled(SSkinImgList& into, int target) const;

    std::shared_ptr<IBitmap> picture;
    std::wstring srcId;  // the "src" resource id, whose variants serve other scales
    int states = 1;
    bool vertical = false;
    bool tile = false;
};
