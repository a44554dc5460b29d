#include "dui/src/render/ImgDecoderFactory.h"

#include "dui/src/render/GifDecoder.h"
#include "dui/src/render/IcoDecoder.h"
#include "dui/src/render/PngDecoder.h"

std::vector<ImgFrame> ImgDecoderFactory::Decode(const void* data, std::size_t size) const {
    if (data == nullptr) return {};
    if (LooksLikeGif(data, size)) return DecodeGif(data, size);
    if (LooksLikeIco(data, size)) return DecodeIco(data, size);
    std::vector<ImgFrame> frames;
    if (auto png = DecodePng(data, size)) frames.push_back(std::move(*png));
    return frames;
}

std::shared_ptr<IImgDecoderFactory> CreateImgDecoderFactory() {
    return std::make_shared<ImgDecoderFactory>();
}
