// IRenderFactory of the Direct2D + DirectWrite backend. Owns the factories (D2DContext) every
// target and font uses, caches fonts by description, and resolves a face the system lacks to an
// installed Chinese-capable one. Must outlive the fonts and targets it made. UI thread only.
#pragma once

#include <map>
#include <tuple>

#include "dui/include/core/IRenderFactory.h"
#include "dui/src/render/d2d/D2DContext.h"

class FontDWrite;

class RenderFactoryD2D : public IRenderFactory {
public:
    RenderFactoryD2D(std::shared_ptr<IImgDecoderFactory> decoder, std::unique_ptr<D2DContext> context);

    std::unique_ptr<IRenderTarget> CreateRenderTarget(SIZE size) override;
    std::shared_ptr<IFont> CreateFont(const FontDesc& desc) override;
    bool HasFontFace(const std::wstring& face) override;
    std::shared_ptr<IBitmap> CreateBitmap(const ImgFrame& frame) override;
    std::shared_ptr<IBitmap> LoadBitmap(const void* data, std::size_t size) override;
    std::shared_ptr<IImgX> LoadImgX(const void* data, std::size_t size) override;
    const IImgDecoderFactory& GetImgDecoderFactory() const override { return *decoder_; }

private:
    using FontKey = std::tuple<std::wstring, int, bool, bool, bool, bool>;

    // `face` when installed, else the first installed face that covers Chinese.
    std::wstring InstalledFamily(const std::wstring& face);

    std::shared_ptr<IImgDecoderFactory> decoder_;
    std::unique_ptr<D2DContext> context_;
    std::map<FontKey, std::shared_ptr<FontDWrite>> fonts_;
};
