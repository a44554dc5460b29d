#include "dui/src/core/SRectText.h"

#include "dui/include/core/SLayoutSize.h"
#include "dui/include/core/SStringUtil.h"

AttrResult ParseMargins(std::wstring_view text, int scale, RECT& rect) {
    const std::vector<std::wstring> parts = Split(text, L',');
    auto px = [&](size_t i) { return static_cast<LONG>(SLayoutSize::Parse(parts[i]).ToPixels(scale)); };
    if (parts.size() == 1) {
        rect.left = rect.top = rect.right = rect.bottom = px(0);
    } else if (parts.size() == 4) {
        rect = RECT{px(0), px(1), px(2), px(3)};
    } else {
        return AttrResult::kFailed;
    }
    return AttrResult::kOk;
}
