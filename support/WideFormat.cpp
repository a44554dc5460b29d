#include "support/WideFormat.h"

#include <cwchar>
#include <vector>

std::wstring WideFormat(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring text = WideFormatV(format, args);
    va_end(args);
    return text;
}

std::wstring WideFormatV(const wchar_t* format, va_list args) {
    // vswprintf reports only "did not fit", so grow the buffer until it does.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list attempt;
        va_copy(attempt, args);
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, attempt);
        va_end(attempt);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size())
            return {buffer.data(), size_t(written)};
        if (buffer.size() >= (1u << 24)) return {};
        buffer.resize(buffer.size() * 2);
    }
}
