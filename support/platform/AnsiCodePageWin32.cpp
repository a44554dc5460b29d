#include <windows.h>

#include <climits>

#include "support/TextConvert.h"

// Each conversion sizes its output with a first call and converts with a second. Texts beyond
// INT_MAX units cannot be passed to the system and come out empty.

namespace {

// Without this flag the system "best fits" characters the code page lacks to look-alikes, so a
// fullwidth solidus or full stop in a text would come out as "/" or "." and make a separator or
// ".." where the wide text had none. With it they become "?", which no name holds.
// A system whose ANSI code page is UTF-8 lacks no character and refuses the flag.
DWORD NoLookAlikes() {
    return ::GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
}

}  // namespace

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty() || wide.size() > std::size_t(INT_MAX)) return {};
    const int units = int(wide.size());
    const DWORD flags = NoLookAlikes();
    const int size = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string ansi(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, flags, wide.data(), units, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::wstring AnsiToWide(std::string_view ansi) {
    if (ansi.empty() || ansi.size() > std::size_t(INT_MAX)) return {};
    const int bytes = int(ansi.size());
    const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
    std::wstring wide(std::size_t(size > 0 ? size : 0), L'\0');
    if (size > 0) ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, wide.data(), size);
    return wide;
}
