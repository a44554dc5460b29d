#include "dui/src/render/TextFormatting.h"

// Win32 single-line drawing does not break at line feeds; we show them as spaces.
std::wstring TextForFormat(const std::wstring& text, UINT format) {
    std::wstring prepared;
    prepared.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') {
            prepared.push_back(c);
        } else if (format & DT_SINGLELINE) {
            prepared.push_back(L' ');
        } else if (!(c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) {
            prepared.push_back(L'\n');
        }
    }
    return prepared;
}
