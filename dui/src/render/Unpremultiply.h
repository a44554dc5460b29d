// Premultiplied ARGB (what Cairo surfaces and our decoders hold) back to straight ARGB, for
// readers that want plain colours (pixel reads, window-manager icons). A channel above its alpha
// cannot come from premultiplying; it is clamped rather than wrapped. Any thread.
#pragma once

#include <algorithm>
#include <cstdint>

inline std::uint32_t Unpremultiply(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 0) return 0;
    const auto straight = [a](std::uint32_t c) { return std::min(255u, (c * 255 + a / 2) / a); };
    return (a << 24) | (straight((argb >> 16) & 0xFF) << 16) | (straight((argb >> 8) & 0xFF) << 8) |
           straight(argb & 0xFF);
}
