// The frames of a decoded picture as backend bitmaps with their delays. Immutable after
// construction; every backend uses it with its own bitmap maker.
#pragma once

#include <functional>
#include <vector>

#include "dui/include/core/IImgX.h"

class ImgXFrames : public IImgX {
public:
    using BitmapMaker = std::function<std::shared_ptr<IBitmap>(const ImgFrame&)>;

    // nullptr when there is no frame or `makeBitmap` fails for one.
    static std::shared_ptr<ImgXFrames> Create(const std::vector<ImgFrame>& frames,
                                              const BitmapMaker& makeBitmap);

    int Width() const override;
    int Height() const override;
    int FrameCount() const override;
    std::shared_ptr<IBitmap> GetFrame(int index) const override;
    int GetFrameDelay(int index) const override;

private:
    struct Frame {
        std::shared_ptr<IBitmap> bitmap;
        int delayMs;
    };
    std::vector<Frame> frames_;
};
