// A multi-frame picture (an animated GIF, or a still picture as one frame) with the delay of each
// frame. Frames all have the picture's size. Immutable once made; shared between skins.
#pragma once

#include <memory>

#include "dui/include/core/IBitmap.h"

class IImgX {
public:
    virtual ~IImgX() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // At least 1 for any image the factory returns.
    virtual int FrameCount() const = 0;
    // `index` outside 0..FrameCount()-1 gives nullptr.
    virtual std::shared_ptr<IBitmap> GetFrame(int index) const = 0;
    // Milliseconds the frame stays on screen; 0 for still pictures and out-of-range indexes.
    virtual int GetFrameDelay(int index) const = 0;
};
