// A still picture as a Cairo image surface (premultiplied ARGB32), made from a decoded frame.
// Immutable after construction; the render target draws it through Surface().
#pragma once

#include "dui/include/core/IBitmap.h"
#include "dui/src/render/cairo/CairoHandles.h"

class BitmapCairo : public IBitmap {
public:
    // Takes a surface in the ready state; see Create for the checked way in.
    explicit BitmapCairo(CairoSurfacePtr surface);
    // nullptr for an empty frame, a pixel count that does not match, or no memory.
    static std::shared_ptr<BitmapCairo> Create(const ImgFrame& frame);

    int Width() const override;
    int Height() const override;
    COLORREF GetPixel(int x, int y) const override;

    cairo_surface_t* Surface() const { return surface_.get(); }

private:
    CairoSurfacePtr surface_;
};

// Straight colour of the premultiplied pixel at (x, y) of an image surface; kInvalidColor outside.
COLORREF ReadSurfacePixel(cairo_surface_t* surface, int x, int y);
