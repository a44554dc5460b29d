// The frames of a decoded picture as Cairo bitmaps with their delays. Immutable after construction.
#pragma once

#include <vector>

#include "dui/include/core/IImgX.h"

class ImgXCairo : public IImgX {
public:
    // nullptr when there is no frame or a frame cannot be made.
    static std::shared_ptr<ImgXCairo> Create(const std::vector<ImgFrame>& frames);

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
