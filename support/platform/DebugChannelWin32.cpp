#include <windows.h>

#include "support/TextConvert.h"
#include "support/platform/DebugChannel.h"

void WriteDebugChannel(std::string_view text) {
    // The text is UTF-8; the wide call keeps every character whatever the ANSI code page.
    ::OutputDebugStringW(Utf8ToWide(text).c_str());
}
