// A font for the Cairo backend: a Pango font description (requested face first, CJK-capable faces
// after it, absolute pixel size) plus underline/strike attributes. It lays text out for both
// measuring and drawing, so both always agree. Shares the factory's Pango context. UI thread only.
#pragma once

#include "dui/include/core/IFont.h"
#include "dui/src/render/cairo/CairoHandles.h"

// A laid-out text ready to draw: the layout and where its top-left goes inside the text rectangle.
struct TextLayout {
    PangoLayoutPtr layout;
    int width = 0;  // logical extent in pixels
    int height = 0;
};

class FontPango : public IFont {
public:
    FontPango(PangoContext* context, const FontDesc& desc);

    const FontDesc& Desc() const override { return desc_; }
    int LineHeight() const override { return lineHeight_; }
    SIZE MeasureText(const std::wstring& text, UINT format, int maxWidth) const override;
    std::vector<int> CaretPositions(const std::wstring& text) const override;

    // The layout DrawText shows: wrapped at `width` with DT_WORDBREAK (multi-line), ellipsised at
    // `width` with DT_END_ELLIPSIS, aligned inside `width` when it wraps or ellipsises.
    TextLayout Layout(const std::wstring& text, UINT format, int width, int height) const;

private:
    PangoContext* context_;  // owned by the factory, which outlives its fonts
    FontDesc desc_;
    PangoFontDescriptionPtr pangoDesc_;
    int lineHeight_ = 0;
};

// The family list Pango is given for `face`: the face itself, then faces that cover Chinese.
std::string FontFamilyList(const std::wstring& face);
