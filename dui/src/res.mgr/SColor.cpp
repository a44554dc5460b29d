#include "dui/include/core/SColor.h"

#include <cwchar>
#include <string>

#include "dui/include/core/SStringUtil.h"

bool ParseColor(std::wstring_view text, COLORREF& color) {
    const std::wstring lower = ToLowerAscii(text);
    unsigned r = 0, g = 0, b = 0, a = 255;
    int fields = 0;
    if (lower.starts_with(L"#")) {
        fields = std::swscanf(lower.c_str(), L"#%02x%02x%02x%02x", &r, &g, &b, &a);
    } else if (lower.starts_with(L"rgba")) {
        int ir = 0, ig = 0, ib = 0, ia = 0;
        fields = std::swscanf(lower.c_str(), L"rgba(%d,%d,%d,%d)", &ir, &ig, &ib, &ia);
        r = unsigned(ir), g = unsigned(ig), b = unsigned(ib), a = unsigned(ia);
    } else if (lower.starts_with(L"rgb")) {
        int ir = 0, ig = 0, ib = 0;
        fields = std::swscanf(lower.c_str(), L"rgb(%d,%d,%d)", &ir, &ig, &ib);
        r = unsigned(ir), g = unsigned(ig), b = unsigned(ib);
    }
    if (fields != 3 && fields != 4) return false;
    if (fields == 3) a = 255;
    color = RGBA(BYTE(r), BYTE(g), BYTE(b), BYTE(a));
    return true;
}
