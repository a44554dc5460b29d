#include "dui/src/host/win32/Win32Icons.h"

#include <cstdlib>
#include <cstring>

#include "dui/src/render/Unpremultiply.h"

namespace {

bool HasAllPixels(const ImgFrame& frame) {
    return frame.width > 0 && frame.height > 0 &&
           frame.pixels.size() == static_cast<std::size_t>(frame.width) * frame.height;
}

const ImgFrame* NearestFrame(const std::vector<ImgFrame>& frames, int size) {
    const ImgFrame* best = nullptr;
    for (const ImgFrame& frame : frames) {
        if (!HasAllPixels(frame)) continue;
        if (best == nullptr || std::abs(frame.width - size) < std::abs(best->width - size)) best = &frame;
    }
    return best;
}

}  // namespace

HICON CreateIconFromFrame(const ImgFrame& frame) {
    if (!HasAllPixels(frame)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame.width;
    info.bmiHeader.biHeight = -frame.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP color = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // With an alpha channel in the colour bitmap the mask is not looked at, but must exist.
    const HBITMAP mask = ::CreateBitmap(frame.width, frame.height, 1, 1, nullptr);
    HICON icon = nullptr;
    if (color != nullptr && mask != nullptr && bits != nullptr) {
        auto* out = static_cast<std::uint32_t*>(bits);
        for (std::size_t i = 0; i < frame.pixels.size(); ++i) out[i] = Unpremultiply(frame.pixels[i]);
        ICONINFO parts{TRUE, 0, 0, mask, color};
        icon = ::CreateIconIndirect(&parts);  // copies both bitmaps
    }
    if (color != nullptr) ::DeleteObject(color);
    if (mask != nullptr) ::DeleteObject(mask);
    return icon;
}

WindowIcons::~WindowIcons() {
    Free();
}

void WindowIcons::Free() {
    if (big_ != nullptr) ::DestroyIcon(big_);
    if (small_ != nullptr) ::DestroyIcon(small_);
    big_ = small_ = nullptr;
}

void WindowIcons::Set(HWND window, const std::vector<ImgFrame>& frames) {
    const ImgFrame* big = NearestFrame(frames, ::GetSystemMetrics(SM_CXICON));
    const ImgFrame* small = NearestFrame(frames, ::GetSystemMetrics(SM_CXSMICON));
    if (big == nullptr || small == nullptr) return;
    const HICON newBig = CreateIconFromFrame(*big);
    const HICON newSmall = CreateIconFromFrame(*small);
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall));
    ::SetClassLongPtrW(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(newBig));
    ::SetClassLongPtrW(window, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(newSmall));
    Free();
    big_ = newBig;
    small_ = newSmall;
}

void WindowIcons::Clear(HWND window) {
    if (big_ == nullptr && small_ == nullptr) return;
    ::SendMessageW(window, WM_SETICON, ICON_BIG, 0);
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, 0);
    if (::GetClassLongPtrW(window, GCLP_HICON) == reinterpret_cast<ULONG_PTR>(big_))
        ::SetClassLongPtrW(window, GCLP_HICON, 0);
    if (::GetClassLongPtrW(window, GCLP_HICONSM) == reinterpret_cast<ULONG_PTR>(small_))
        ::SetClassLongPtrW(window, GCLP_HICONSM, 0);
    Free();
}
