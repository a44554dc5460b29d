// A surface the tree draws into: fills, borders, pictures (stretched, tiled or nine-grid), text
// with DT_* formats, a clip stack and an opacity stack. Coordinates are pixels of the surface.
// Owned by whoever created it (the host window keeps one the size of its client area). UI thread only.
//
// Nesting: every PushClipRect/PushOpacity must be matched by its Pop in reverse order.
// Opacity layers multiply: inside PushOpacity(128) twice everything is drawn at a quarter.
#pragma once

#include <string>

#include "dui/include/core/IBitmap.h"
#include "dui/include/core/IFont.h"

// The surface's memory: premultiplied ARGB words, `stride` bytes from one row to the next.
struct PixelView {
    const std::uint32_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

class IRenderTarget {
public:
    virtual ~IRenderTarget() = default;

    virtual SIZE GetSize() const = 0;
    // Makes the surface `size` pixels; the content is then transparent black. False when the size
    // is not positive or the memory cannot be had (the old surface stays).
    virtual bool Resize(SIZE size) = 0;

    // Replaces the pixels of `rc` with `color` (no blending): the start of a frame.
    virtual void Clear(const RECT& rc, COLORREF color) = 0;
    // Blends `color` over `rc`.
    virtual void FillRect(const RECT& rc, COLORREF color) = 0;
    // A border `width` pixels wide just inside `rc`.
    virtual void FrameRect(const RECT& rc, COLORREF color, int width) = 0;
    // The dotted rectangle of the focused window: dots and gaps `width` pixels, just inside `rc`.
    virtual void DrawFocusRect(const RECT& rc, int width) = 0;

    // Draws the `src` part of `bmp` into `dest`, scaled (Stretch) or repeated (Tile), at `alpha`.
    virtual void DrawBitmap(const RECT& dest, const IBitmap& bmp, const RECT& src, BYTE alpha,
                            ExpandMode mode) = 0;
    // Nine-grid: the corners of `src` (sizes given by `margins` left, top, right, bottom) are
    // copied unscaled, the edges are stretched/tiled along one axis, the middle along both.
    // When `dest` is smaller than the margins, the corners shrink proportionally.
    virtual void DrawBitmap9(const RECT& dest, const IBitmap& bmp, const RECT& src, const RECT& margins,
                             BYTE alpha, ExpandMode mode) = 0;

    // Draws `text` inside `rc` with the DT_* `format`: DT_LEFT/DT_CENTER/DT_RIGHT; with
    // DT_SINGLELINE also DT_TOP/DT_VCENTER/DT_BOTTOM; DT_WORDBREAK wraps multi-line text at the
    // rectangle's width; DT_END_ELLIPSIS ends a too-long line with "…"; text is clipped to `rc`
    // unless DT_NOCLIP is given.
    virtual void DrawText(const std::wstring& text, const RECT& rc, UINT format, const IFont& font,
                          COLORREF color) = 0;

    // Further drawing is limited to the intersection of `rc` with the current clip.
    virtual void PushClipRect(const RECT& rc) = 0;
    virtual void PopClip() = 0;
    // Further drawing, until the matching PopOpacity, is composed at `alpha` (0-255).
    virtual void PushOpacity(BYTE alpha) = 0;
    virtual void PopOpacity() = 0;

    // The surface's pixels, valid until the next drawing call or Resize.
    virtual PixelView Pixels() = 0;
    // Straight colour of one pixel (COLORREF layout); kInvalidColor outside the surface.
    virtual COLORREF GetPixel(int x, int y) = 0;
    // Writes the surface as a PNG file; false when the file cannot be written.
    virtual bool SavePng(const std::string& path) = 0;
};
