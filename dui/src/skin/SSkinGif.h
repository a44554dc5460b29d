// SSkinGif ("gif"): the frames of an animated picture ("src", e.g. "GIF:gif_waiting") with their
// delays; a state is a frame. The animated-image window plays it. At another scale the skin takes
// the animation drawn for it (or the nearest larger one) and reports its size at that scale; the
// frames are stretched into place when drawn.
#pragma once

#include <memory>

#include "dui/include/core/IImgX.h"
#include "dui/include/core/ISkinObj.h"

class SSkinGif : public ISkinObj {
    DUI_CLASS(SSkinGif, ISkinObj, L"gif")
public:
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;
    void Draw(IRenderTarget& rt, const RECT& rc, int frame, BYTE alpha = 255) const override;
    SIZE GetSkinSize() const override;
    // The number of frames (0 without a picture).
    int GetStates() const override { return image ? image->FrameCount() : 0; }
    // Milliseconds frame `frame` stays on screen.
    int GetFrameDelay(int frame) const { return image ? image->GetFrameDelay(frame) : 0; }

    SAutoRefPtr<ISkinObj> Scaled(int target) const override;

    void SetImage(std::shared_ptr<IImgX> frames) { image = std::move(frames); }

private:
    std::shared_ptr<IImgX> image;
    std::wstring srcId;
    int imageScale = 100;  // the scale the frames were drawn for
};
