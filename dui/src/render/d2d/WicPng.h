// Writes pixels of a render target as a PNG file through the system's WIC encoder.
#pragma once

#include <string>

#include "dui/include/core/IRenderTarget.h"
#include "dui/src/render/d2d/D2DContext.h"

// False when the file cannot be made or the encoder fails; a half-written file is removed.
bool WritePngFile(IWICImagingFactory& wic, const std::wstring& path, const PixelView& pixels);
