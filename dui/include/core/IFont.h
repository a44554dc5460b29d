// A text face at a pixel size with its styles, made by the rendering factory and shared between
// windows (std::shared_ptr). Measures text the way IRenderTarget::DrawText lays it out, so layout
// and caret placement agree with what is drawn. UI thread only.
#pragma once

#include <string>
#include <vector>

#include "dui/include/core/RenderTypes.h"

class IFont {
public:
    virtual ~IFont() = default;

    virtual const FontDesc& Desc() const = 0;
    // Height of one line of text in pixels.
    virtual int LineHeight() const = 0;
    // Extent of `text` drawn with `format` (DT_* flags). With DT_WORDBREAK and without
    // DT_SINGLELINE the text wraps at `maxWidth` (ignored when <= 0); otherwise it is one line
    // (line breaks still count unless DT_SINGLELINE is set). Empty text measures 0 wide, one line high.
    virtual SIZE MeasureText(const std::wstring& text, UINT format, int maxWidth) const = 0;
    // X offsets of the text's caret positions for a single line: element i is the left edge of
    // character i, the last element (index text.size()) the end of the text.
    virtual std::vector<int> CaretPositions(const std::wstring& text) const = 0;
};
