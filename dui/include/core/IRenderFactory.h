// Makes the drawing objects of one backend: render targets, fonts, bitmaps and multi-frame images
// (through its image decoder). One per application, created at start-up and handed to
// SApplication. UI thread only.
#pragma once

#include <cstddef>
#include <memory>

#include "dui/include/core/IBitmap.h"
#include "dui/include/core/IFont.h"
#include "dui/include/core/IImgDecoderFactory.h"
#include "dui/include/core/IImgX.h"
#include "dui/include/core/IRenderTarget.h"

class IRenderFactory {
public:
    virtual ~IRenderFactory() = default;

    // nullptr when the size is not positive or memory is short.
    virtual std::unique_ptr<IRenderTarget> CreateRenderTarget(SIZE size) = 0;
    // Never nullptr: a face that is not installed falls back to a CJK-capable sans face, so
    // "微软雅黑" and "宋体" draw Chinese text everywhere. Fonts are cached by description.
    virtual std::shared_ptr<IFont> CreateFont(const FontDesc& desc) = 0;
    // True when the system has a face of that family name (not counting fallbacks).
    virtual bool HasFontFace(const std::wstring& face) = 0;
    // nullptr for an empty frame or one whose pixel count does not match its size.
    virtual std::shared_ptr<IBitmap> CreateBitmap(const ImgFrame& frame) = 0;
    // The first frame of the encoded picture; nullptr when it does not decode.
    virtual std::shared_ptr<IBitmap> LoadBitmap(const void* data, std::size_t size) = 0;
    // Every frame with its delay; nullptr when it does not decode.
    virtual std::shared_ptr<IImgX> LoadImgX(const void* data, std::size_t size) = 0;
    virtual const IImgDecoderFactory& GetImgDecoderFactory() const = 0;
};

// The platform's backend (Cairo + Pango on Linux).
std::unique_ptr<IRenderFactory> CreateRenderFactory(std::shared_ptr<IImgDecoderFactory> decoder);
