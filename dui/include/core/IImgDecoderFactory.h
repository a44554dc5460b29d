// Turns encoded picture bytes (PNG, GIF, icon files) into frames. Stateless and safe to call from any thread.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "dui/include/core/RenderTypes.h"

class IImgDecoderFactory {
public:
    virtual ~IImgDecoderFactory() = default;

    // All frames of the picture, already composed (a GIF frame shows what the viewer sees at that
    // moment, disposal and transparency applied). Empty when the bytes are not a picture we read
    // or are damaged before the first frame is complete; a GIF damaged later keeps its good frames.
    virtual std::vector<ImgFrame> Decode(const void* data, std::size_t size) const = 0;
};

// PNG (any colour type and depth, with alpha), GIF (all frames and delays), and icon files whose
// entries are PNG pictures (one frame per size, smallest first).
std::shared_ptr<IImgDecoderFactory> CreateImgDecoderFactory();
