// Plain values shared by the drawing interfaces: colours, decoded frames, font descriptions.
//
// Colours are 32-bit words with red in bits 0-7, green 8-15, blue 16-23 and alpha 24-31
// (255 = opaque). The invalid colour 0x00FFFFFF has alpha 0, so drawing it paints nothing.
// Pixels of decoded frames are premultiplied ARGB in native byte order (0xAARRGGBB as a word),
// the layout every backend we target can use without conversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/WinTypes.h"

constexpr COLORREF kInvalidColor = 0x00FFFFFF;

constexpr COLORREF RGBA(BYTE r, BYTE g, BYTE b, BYTE a) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16) |
           (static_cast<COLORREF>(a) << 24);
}
constexpr BYTE ColorRed(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE ColorGreen(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE ColorBlue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
constexpr BYTE ColorAlpha(COLORREF c) {
    return static_cast<BYTE>((c >> 24) & 0xFF);
}

// One decoded picture. `delayMs` is the time the frame stays on screen in an animation
// (0 for still images).
struct ImgFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height premultiplied ARGB words, rows top-down
    int delayMs = 0;
};

// What a font is made of. `size` is in pixels (the height of the em box), never points.
struct FontDesc {
    std::wstring face;
    int size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool operator==(const FontDesc&) const = default;
};

// How a picture fills a destination larger than its source part.
enum class ExpandMode { Stretch, Tile };
