// IRenderFactory of the Cairo + Pango backend. Owns the Pango context every font lays text out
// in (fixed font options, so a measure on one machine matches the drawing on it) and caches fonts
// by description. Must outlive the fonts and targets it made. UI thread only.
#pragma once

#include <map>
#include <set>
#include <tuple>

#include "dui/include/core/IRenderFactory.h"
#include "dui/src/render/cairo/CairoHandles.h"

class FontPango;

class RenderFactoryCairo : public IRenderFactory {
public:
    explicit RenderFactoryCairo(std::shared_ptr<IImgDecoderFactory> decoder);

    std::unique_ptr<IRenderTarget> CreateRenderTarget(SIZE size) override;
    std::shared_ptr<IFont> CreateFont(const FontDesc& desc) override;
    bool HasFontFace(const std::wstring& face) override;
    std::shared_ptr<IBitmap> CreateBitmap(const ImgFrame& frame) override;
    std::shared_ptr<IBitmap> LoadBitmap(const void* data, std::size_t size) override;
    std::shared_ptr<IImgX> LoadImgX(const void* data, std::size_t size) override;
    const IImgDecoderFactory& GetImgDecoderFactory() const override { return *decoder_; }

private:
    using FontKey = std::tuple<std::wstring, int, bool, bool, bool, bool>;

    std::shared_ptr<IImgDecoderFactory> decoder_;
    PangoContextPtr context_;
    std::map<FontKey, std::shared_ptr<FontPango>> fonts_;
    std::set<std::wstring> faces_;  // lower-cased family names, every language's, filled on first use
};
