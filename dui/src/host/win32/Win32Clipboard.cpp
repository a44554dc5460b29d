#include "dui/src/host/win32/Win32Clipboard.h"

#include <cstring>

namespace {

// Opens the clipboard for the lifetime of the object.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace

std::wstring ReadClipboardText(HWND owner) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return {};
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return {};
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
    if (text == nullptr) return {};
    // Another program's text need not end where its memory does: never read past the block.
    const std::size_t units = ::GlobalSize(data) / sizeof(wchar_t);
    std::wstring result(text, ::wcsnlen(text, units));
    ::GlobalUnlock(data);
    return result;
}

bool WriteClipboardText(HWND owner, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block == nullptr) return false;
    void* memory = ::GlobalLock(block);
    if (memory == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(memory, text.c_str(), bytes);
    ::GlobalUnlock(block);
    OpenClipboardScope clipboard(owner);
    // The clipboard owns the block once SetClipboardData took it.
    if (!clipboard.IsOpen() || !::EmptyClipboard() || ::SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}
