// ComponentManager: makes the drawing back end and the picture decoder the framework runs on.
// It keeps one setting, the name of the image decoder to make; only "imgdecoder-gdip" names a
// decoder this program has. Created first at start-up and deleted last but one (the entry point
// owns it); UI thread.
#pragma once

#include <memory>
#include <string>

#include "dui/include/core/IImgDecoderFactory.h"
#include "dui/include/core/IRenderFactory.h"

class ComponentManager {
public:
    // The name of the one picture decoder this program has.
    static constexpr const wchar_t* kImageDecoderName = L"imgdecoder-gdip";

    explicit ComponentManager(std::wstring imageDecoderName)
        : imageDecoderName(std::move(imageDecoderName)) {}

    // The picture decoder (PNG, GIF); nothing for another decoder name.
    std::shared_ptr<IImgDecoderFactory> CreateImageDecoder() const;
    // The drawing back end, decoding pictures through `decoder`; always made.
    std::unique_ptr<IRenderFactory> CreateRenderer(std::shared_ptr<IImgDecoderFactory> decoder) const;

private:
    std::wstring imageDecoderName;
};
