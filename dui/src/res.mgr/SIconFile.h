// Icon resources: either a PNG picture or an icon file (".ico": a directory of images of several
// sizes). PickIconImage chooses the image for a requested size from an icon file whose images are
// stored as PNG (what our artwork generator writes); images stored as device-independent bitmaps
// are passed over. The directory is checked against the data's bounds before anything is read.
#pragma once

#include <cstddef>
#include <string_view>

// True when `bytes` is an icon file with a PNG image; `image` is then the PNG of exactly `size`
// pixels, else of the smallest larger size, else the largest. `size` 0 asks for 32.
bool PickIconImage(std::string_view bytes, int size, std::string_view& image);
