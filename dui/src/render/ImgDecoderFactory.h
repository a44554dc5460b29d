// The image decoder the application hands to the rendering factory: PNG, GIF and icon files (with
// PNG entries), told apart by their signatures. Stateless; any thread.
#pragma once

#include "dui/include/core/IImgDecoderFactory.h"

class ImgDecoderFactory : public IImgDecoderFactory {
public:
    std::vector<ImgFrame> Decode(const void* data, std::size_t size) const override;
};
