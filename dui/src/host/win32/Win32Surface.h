// The window's copy of the last frame, in a top-down 32-bit DIB section: the host's pixels
// (premultiplied ARGB, which is also what a DIB and UpdateLayeredWindow read) are copied in for the
// damaged part only, and shown from there: BitBlt onto an ordinary window, UpdateLayeredWindow
// with that part as the dirty rectangle onto a layered one. UI thread only.
#pragma once

#include <windows.h>

struct PixelView;

class Win32Surface {
public:
    Win32Surface() = default;
    ~Win32Surface();
    Win32Surface(const Win32Surface&) = delete;
    Win32Surface& operator=(const Win32Surface&) = delete;

    // Copies `dirty` of `pixels` (clipped to them) and shows it on the ordinary window `window`.
    void Present(HWND window, const PixelView& pixels, const RECT& dirty);
    // The same for a layered window, shown with the whole-window opacity `alpha`.
    void PresentLayered(HWND window, const PixelView& pixels, const RECT& dirty, BYTE alpha);
    // Shows the kept frame again on the layered `window` with a new opacity.
    void ShowLayered(HWND window, BYTE alpha);

private:
    // Copies the part of `pixels` inside `dirty` into the DIB; the part copied, empty for none.
    RECT CopyIn(const PixelView& pixels, const RECT& dirty);
    bool Resize(SIZE size);
    void ShowLayered(HWND window, BYTE alpha, const RECT* dirty);
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    BYTE* bits_ = nullptr;
    SIZE size_{};
};
