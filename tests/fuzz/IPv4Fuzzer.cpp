// Any text as a LAN address; cross-checked against a plain reading of the same rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/IPv4.h"
#include "support/TextConvert.h"

namespace {

// Four dot-separated decimal parts, each 0..255 without a leading zero on a non-zero value.
bool ReferenceIsValid(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const std::wstring s = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    if (s.size() >= 100) return false;
    int parts = 0;
    size_t start = 0;
    for (;;) {
        const size_t dot = s.find(L'.', start);
        const std::wstring part = s.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
        if (part.empty() || part.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
        const size_t nonZero = part.find_first_not_of(L'0');
        if (nonZero != std::wstring::npos) {
            if (part[0] == L'0' || part.size() - nonZero > 3 || std::wcstol(part.c_str(), nullptr, 10) > 255)
                return false;
        }
        ++parts;
        if (dot == std::wstring::npos) break;
        start = dot + 1;
    }
    return parts == 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Utf8ToWide({reinterpret_cast<const char*>(data), size});
    if (IsValidIPv4(text) != ReferenceIsValid(text)) std::abort();
    return 0;
}
