#include "dui/src/render/d2d/FontDWrite.h"

#include <algorithm>
#include <cmath>

#include "dui/src/render/TextFormatting.h"

namespace {

// Wide enough that a single line never wraps or trims when no width is given.
constexpr float kUnbounded = 1.0e6f;

int ToPixels(float dips) {
    return static_cast<int>(std::lround(dips));
}

DWRITE_TEXT_ALIGNMENT AlignmentOf(UINT format) {
    if (format & DT_CENTER) return DWRITE_TEXT_ALIGNMENT_CENTER;
    if (format & DT_RIGHT) return DWRITE_TEXT_ALIGNMENT_TRAILING;
    return DWRITE_TEXT_ALIGNMENT_LEADING;
}

// As in Win32, vertical placement other than the top needs DT_SINGLELINE.
DWRITE_PARAGRAPH_ALIGNMENT VerticalAlignmentOf(UINT format) {
    if (!(format & DT_SINGLELINE)) return DWRITE_PARAGRAPH_ALIGNMENT_NEAR;
    if (format & DT_VCENTER) return DWRITE_PARAGRAPH_ALIGNMENT_CENTER;
    if (format & DT_BOTTOM) return DWRITE_PARAGRAPH_ALIGNMENT_FAR;
    return DWRITE_PARAGRAPH_ALIGNMENT_NEAR;
}

bool Wraps(UINT format, int width) {
    return (format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && width > 0;
}

// Words that do not fit on a line of their own are broken between characters, as Win32 does;
// Windows 7 lacks that mode, so it falls back to plain word wrapping there.
void SetWordWrapping(IDWriteTextLayout& layout, bool wraps) {
    if (!wraps) {
        layout.SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    } else if (FAILED(layout.SetWordWrapping(DWRITE_WORD_WRAPPING_EMERGENCY_BREAK))) {
        layout.SetWordWrapping(DWRITE_WORD_WRAPPING_WRAP);
    }
}

}  // namespace

std::shared_ptr<FontDWrite> FontDWrite::Create(const D2DContext& context, const FontDesc& desc,
                                               const std::wstring& family) {
    FontDesc sized = desc;
    sized.size = std::max(1, desc.size);
    ComPtr<IDWriteTextFormat> format;
    // Pixels are DIPs here: every target of this backend works at 96 DPI.
    if (FAILED(context.DWrite().CreateTextFormat(
            family.c_str(), nullptr, sized.bold ? DWRITE_FONT_WEIGHT_BOLD : DWRITE_FONT_WEIGHT_NORMAL,
            sized.italic ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL,
            static_cast<float>(sized.size), L"zh-cn", format.GetAddressOf())))
        return nullptr;
    return std::shared_ptr<FontDWrite>(new FontDWrite(context, sized, std::move(format)));
}

FontDWrite::FontDWrite(const D2DContext& context, const FontDesc& desc, ComPtr<IDWriteTextFormat> format)
    : context_(context), desc_(desc), format_(std::move(format)) {
    context_.DWrite().CreateEllipsisTrimmingSign(format_.Get(), ellipsis_.GetAddressOf());
    lineHeight_ = MeasureText(L"", DT_SINGLELINE, 0).cy;
}

ComPtr<IDWriteTextLayout> FontDWrite::Layout(const std::wstring& text, UINT format, int width,
                                             int height) const {
    const std::wstring prepared = TextForFormat(text, format);
    ComPtr<IDWriteTextLayout> layout;
    if (FAILED(context_.DWrite().CreateTextLayout(prepared.c_str(), static_cast<UINT32>(prepared.size()),
                                                  format_.Get(), static_cast<float>(std::max(0, width)),
                                                  static_cast<float>(std::max(0, height)),
                                                  layout.GetAddressOf())))
        return nullptr;
    const DWRITE_TEXT_RANGE all{0, static_cast<UINT32>(prepared.size())};
    if (desc_.underline) layout->SetUnderline(TRUE, all);
    if (desc_.strike) layout->SetStrikethrough(TRUE, all);
    layout->SetTextAlignment(AlignmentOf(format));
    layout->SetParagraphAlignment(VerticalAlignmentOf(format));
    SetWordWrapping(*layout.Get(), Wraps(format, width));
    if ((format & DT_END_ELLIPSIS) && width > 0) {
        const DWRITE_TRIMMING trimming{DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
        layout->SetTrimming(&trimming, ellipsis_.Get());
    }
    return layout;
}

SIZE FontDWrite::MeasureText(const std::wstring& text, UINT format, int maxWidth) const {
    const bool wraps = Wraps(format, maxWidth);
    // Measured from the left edge of an unbounded box, so alignment cannot shift the extent.
    const UINT measured = (format & ~(DT_END_ELLIPSIS | DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM));
    ComPtr<IDWriteTextLayout> layout = Layout(text, measured, wraps ? maxWidth : 0, 0);
    DWRITE_TEXT_METRICS metrics{};
    if (!layout) return SIZE{0, 0};
    if (!wraps) layout->SetMaxWidth(kUnbounded);
    layout->GetMetrics(&metrics);
    const int width = ToPixels(metrics.widthIncludingTrailingWhitespace);
    return SIZE{wraps ? std::min(width, maxWidth) : width, ToPixels(metrics.height)};
}

std::vector<int> FontDWrite::CaretPositions(const std::wstring& text) const {
    std::vector<int> positions;
    positions.reserve(text.size() + 1);
    ComPtr<IDWriteTextLayout> layout = Layout(text, DT_SINGLELINE, 0, 0);
    UINT32 count = 0;
    std::vector<DWRITE_CLUSTER_METRICS> clusters;
    if (layout) {
        layout->SetMaxWidth(kUnbounded);
        layout->GetClusterMetrics(nullptr, 0, &count);
        clusters.resize(count);
        if (FAILED(layout->GetClusterMetrics(clusters.data(), count, &count))) clusters.clear();
    }
    // One UTF-16 unit per index, as the edit counts them (TextForFormat keeps the count); every
    // unit of a cluster (a surrogate pair, a character with its marks) sits at the cluster's start.
    float x = 0;
    for (const DWRITE_CLUSTER_METRICS& cluster : clusters) {
        for (UINT16 unit = 0; unit < cluster.length && positions.size() < text.size(); ++unit)
            positions.push_back(ToPixels(x));
        x += cluster.width;
    }
    positions.resize(text.size(), ToPixels(x));
    positions.push_back(ToPixels(x));
    return positions;
}
