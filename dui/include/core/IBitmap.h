// A still picture held by the rendering backend, made from a decoded frame. Immutable once made;
// shared (std::shared_ptr) between the skins that draw it. UI thread only.
#pragma once

#include "dui/include/core/RenderTypes.h"

class IBitmap {
public:
    virtual ~IBitmap() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Straight (not premultiplied) colour of one pixel in the COLORREF layout; kInvalidColor
    // outside the picture.
    virtual COLORREF GetPixel(int x, int y) const = 0;
};
