#include "dui/src/host/win32/Win32Surface.h"

#include <algorithm>
#include <cstring>

#include "dui/include/core/IRenderTarget.h"

Win32Surface::~Win32Surface() {
    Release();
}

void Win32Surface::Release() {
    if (dc_ != nullptr) {
        ::SelectObject(dc_, previous_);
        ::DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    size_ = SIZE{};
}

bool Win32Surface::Resize(SIZE size) {
    if (size.cx == size_.cx && size.cy == size_.cy && bits_ != nullptr) return true;
    Release();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // rows top-down, as the host's pixels
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = ::CreateCompatibleDC(nullptr);
    if (bitmap_ == nullptr || dc_ == nullptr || bits == nullptr) {
        Release();
        return false;
    }
    previous_ = ::SelectObject(dc_, bitmap_);
    bits_ = static_cast<BYTE*>(bits);
    size_ = size;
    return true;
}

RECT Win32Surface::CopyIn(const PixelView& pixels, const RECT& dirty) {
    if (pixels.data == nullptr || pixels.width <= 0 || pixels.height <= 0) return RECT{};
    if (!Resize(SIZE{pixels.width, pixels.height})) return RECT{};
    const RECT part{std::max<LONG>(dirty.left, 0), std::max<LONG>(dirty.top, 0),
                    std::min<LONG>(dirty.right, pixels.width), std::min<LONG>(dirty.bottom, pixels.height)};
    if (IsRectEmpty(&part)) return RECT{};
    const std::size_t rowBytes = static_cast<std::size_t>(part.right - part.left) * 4;
    const auto* source = reinterpret_cast<const BYTE*>(pixels.data);
    for (LONG y = part.top; y < part.bottom; ++y)
        std::memcpy(
            bits_ + (static_cast<std::size_t>(y) * size_.cx + part.left) * 4,
            source + static_cast<std::size_t>(y) * pixels.stride + static_cast<std::size_t>(part.left) * 4,
            rowBytes);
    return part;
}

void Win32Surface::Present(HWND window, const PixelView& pixels, const RECT& dirty) {
    const RECT part = CopyIn(pixels, dirty);
    if (IsRectEmpty(&part)) return;
    const HDC target = ::GetDC(window);
    if (target == nullptr) return;
    ::BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_, part.left,
             part.top, SRCCOPY);
    ::ReleaseDC(window, target);
}

void Win32Surface::PresentLayered(HWND window, const PixelView& pixels, const RECT& dirty, BYTE alpha) {
    const RECT part = CopyIn(pixels, dirty);
    if (!IsRectEmpty(&part)) ShowLayered(window, alpha, &part);
}

void Win32Surface::ShowLayered(HWND window, BYTE alpha) {
    ShowLayered(window, alpha, nullptr);
}

void Win32Surface::ShowLayered(HWND window, BYTE alpha, const RECT* dirty) {
    if (dc_ == nullptr) return;
    POINT origin{0, 0};
    SIZE size = size_;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof info;
    info.psize = &size;
    info.hdcSrc = dc_;
    info.pptSrc = &origin;
    info.pblend = &blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = dirty;
    // A dirty rectangle is refused when the window's size changes with this frame; the whole
    // frame goes then.
    if (!::UpdateLayeredWindowIndirect(window, &info) && dirty != nullptr) {
        info.prcDirty = nullptr;
        ::UpdateLayeredWindowIndirect(window, &info);
    }
}
