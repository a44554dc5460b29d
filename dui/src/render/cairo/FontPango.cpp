#include "dui/src/render/cairo/FontPango.h"

#include <algorithm>

#include "dui/src/render/TextFormatting.h"
#include "support/TextConvert.h"

namespace {

// Installed by fonts-wqy-microhei (or fonts-noto-cjk); Windows faces such as "微软雅黑" and "宋体"
// are not on Linux, so text asking for them lands on these.
constexpr const char* kFallbackFamilies =
    "WenQuanYi Micro Hei,Noto Sans CJK SC,Noto Sans,DejaVu Sans,sans-serif";

PangoAlignment AlignmentOf(UINT format) {
    if (format & DT_CENTER) return PANGO_ALIGN_CENTER;
    if (format & DT_RIGHT) return PANGO_ALIGN_RIGHT;
    return PANGO_ALIGN_LEFT;
}

}  // namespace

std::string FontFamilyList(const std::wstring& face) {
    std::string first = WideToUtf8(face);
    std::replace(first.begin(), first.end(), ',', ' ');  // a comma would split the face in two
    return first.empty() ? kFallbackFamilies : first + "," + kFallbackFamilies;
}

FontPango::FontPango(PangoContext* context, const FontDesc& desc)
    : context_(context), desc_(desc), pangoDesc_(pango_font_description_new()) {
    desc_.size = std::max(1, desc_.size);
    pango_font_description_set_family(pangoDesc_.get(), FontFamilyList(desc_.face).c_str());
    pango_font_description_set_absolute_size(pangoDesc_.get(), desc_.size * PANGO_SCALE);
    pango_font_description_set_weight(pangoDesc_.get(), desc_.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(pangoDesc_.get(),
                                     desc_.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    lineHeight_ = Layout(L"", DT_SINGLELINE, 0, 0).height;
}

TextLayout FontPango::Layout(const std::wstring& text, UINT format, int width, int height) const {
    TextLayout result;
    result.layout.reset(pango_layout_new(context_));
    PangoLayout* layout = result.layout.get();
    const std::string utf8 = WideToUtf8(TextForFormat(text, format));
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    pango_layout_set_font_description(layout, pangoDesc_.get());
    if (desc_.underline || desc_.strike) {
        PangoAttrList* attrs = pango_attr_list_new();
        if (desc_.underline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (desc_.strike) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    const bool wraps = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && width > 0;
    const bool ellipsises = (format & DT_END_ELLIPSIS) && width > 0;
    if (wraps || ellipsises) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        pango_layout_set_alignment(layout, AlignmentOf(format));
    }
    if (wraps) pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    if (ellipsises) {
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        // Wrapped text ends with the ellipsis on the last line that fits.
        if (wraps && height > 0) pango_layout_set_height(layout, height * PANGO_SCALE);
    }
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    result.width = (wraps || ellipsises) ? std::min(width, logical.width) : logical.width;
    result.height = logical.height;
    return result;
}

SIZE FontPango::MeasureText(const std::wstring& text, UINT format, int maxWidth) const {
    const TextLayout laid = Layout(text, format & ~DT_END_ELLIPSIS, maxWidth, 0);
    return SIZE{laid.width, laid.height};
}

std::vector<int> FontPango::CaretPositions(const std::wstring& text) const {
    const TextLayout laid = Layout(text, DT_SINGLELINE, 0, 0);
    const char* utf8 = pango_layout_get_text(laid.layout.get());
    std::vector<int> positions;
    positions.reserve(text.size() + 1);
    // One wide character per step; TextForFormat keeps the count (line breaks become spaces).
    const char* p = utf8;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        PangoRectangle pos;
        pango_layout_index_to_pos(laid.layout.get(), static_cast<int>(p - utf8), &pos);
        positions.push_back(PANGO_PIXELS(pos.x));
        if (*p != '\0') p = g_utf8_next_char(p);
    }
    return positions;
}
