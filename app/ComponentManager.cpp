#include "app/ComponentManager.h"

std::shared_ptr<IImgDecoderFactory> ComponentManager::CreateImageDecoder() const {
    if (imageDecoderName != kImageDecoderName) return nullptr;
    return CreateImgDecoderFactory();
}

std::unique_ptr<IRenderFactory> ComponentManager::CreateRenderer(
    std::shared_ptr<IImgDecoderFactory> decoder) const {
    return CreateRenderFactory(std::move(decoder));
}
