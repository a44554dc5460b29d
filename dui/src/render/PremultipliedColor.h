// Conversion from a backend's premultiplied pixel word (0xAARRGGBB) to a straight COLORREF.
#pragma once

#include <cstdint>

#include "dui/include/core/RenderTypes.h"

// Fully transparent words give 0; channels are rounded back to the nearest straight value.
constexpr COLORREF StraightColor(std::uint32_t premultiplied) {
    const std::uint32_t a = premultiplied >> 24;
    if (a == 0) return 0;
    const auto straight = [a](std::uint32_t c) { return static_cast<BYTE>((c * 255 + a / 2) / a); };
    return RGBA(straight((premultiplied >> 16) & 0xFF), straight((premultiplied >> 8) & 0xFF),
                straight(premultiplied & 0xFF), static_cast<BYTE>(a));
}
