// Redrawing a picture at another size through the backend: window icons for the window manager,
// skin pictures for a scale that has no picture of its own. UI thread only.
#pragma once

#include <vector>

#include "dui/include/core/IRenderFactory.h"

// One piece of the new picture: `src` of the old one stretched into `dest`.
struct ResamplePart {
    RECT src;
    RECT dest;
};

// A picture `size` large made of `parts` of `bmp`; an empty frame when the backend cannot make a
// surface of that size.
ImgFrame ResampleFrame(IRenderFactory& factory, const IBitmap& bmp, SIZE size,
                       const std::vector<ResamplePart>& parts);
