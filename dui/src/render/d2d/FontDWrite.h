// A font for the Direct2D backend: a DirectWrite text format (the requested face, or an installed
// Chinese-capable face when the system lacks it, at a pixel size) that lays text out for both
// measuring and drawing, so both always agree. UI thread only.
#pragma once

#include <memory>

#include "dui/include/core/IFont.h"
#include "dui/src/render/d2d/D2DContext.h"

class FontDWrite : public IFont {
public:
    // `family` is the installed family the face resolved to. nullptr when DirectWrite refuses.
    static std::shared_ptr<FontDWrite> Create(const D2DContext& context, const FontDesc& desc,
                                              const std::wstring& family);

    const FontDesc& Desc() const override { return desc_; }
    int LineHeight() const override { return lineHeight_; }
    SIZE MeasureText(const std::wstring& text, UINT format, int maxWidth) const override;
    std::vector<int> CaretPositions(const std::wstring& text) const override;

    // The layout DrawText shows in a `width` × `height` box: aligned by the DT_* flags (vertically
    // only with DT_SINGLELINE), wrapped with DT_WORDBREAK (multi-line), ending in "…" with
    // DT_END_ELLIPSIS. nullptr when DirectWrite refuses.
    ComPtr<IDWriteTextLayout> Layout(const std::wstring& text, UINT format, int width, int height) const;

private:
    FontDWrite(const D2DContext& context, const FontDesc& desc, ComPtr<IDWriteTextFormat> format);

    const D2DContext& context_;  // owned by the factory, which outlives its fonts
    FontDesc desc_;
    ComPtr<IDWriteTextFormat> format_;
    ComPtr<IDWriteInlineObject> ellipsis_;
    int lineHeight_ = 0;
};
