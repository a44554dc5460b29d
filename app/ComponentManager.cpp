#include "app/ComponentManager.h"

namespace {

constexpr wchar_t kImageDecoderName[] = L"imgdecoder-gdip";

}  // namespace

std::shared_ptr<IImgDecoderFactory> ComponentManager::CreateImageDecoder() const {
    if (imageDecoderName != kImageDecoderName) return nullptr;
    return CreateImgDecoderFactory();
}

std::unique_ptr<IRenderFactory> ComponentManager::CreateRenderer(
    std::shared_ptr<IImgDecoderFactory> decoder) const {
    return CreateRenderFactory(std::move(decoder));
}
