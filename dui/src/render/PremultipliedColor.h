// Conversion from a backend's premultiplied pixel word (0xAARRGGBB) to a straight COLORREF.
#pragma once

#include <cstdint>

#include "dui/include/core/RenderTypes.h"
#include "dui/src/render/Unpremultiply.h"

// Fully transparent words give 0; channels are rounded back to the nearest straight value.
inline COLORREF StraightColor(std::uint32_t premultiplied) {
    const std::uint32_t argb = Unpremultiply(premultiplied);
    return RGBA(static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb),
                static_cast<BYTE>(argb >> 24));
}
