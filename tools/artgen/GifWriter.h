// GifWriter: encodes frames of straight ARGB pixels as a looping GIF animation.
//
// GIF has one-bit transparency, so pixels are composited onto a matte colour (the colour of the
// ground the animation will be shown on) and nearly transparent pixels become the transparent
// index. One global colour table of at most 255 colours serves all frames; when the frames use
// more, colours are merged by popularity at reduced precision. `Encode` returns the file's bytes,
// or an empty string when giflib reports an error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Colour.h"

class GifWriter {
public:
    GifWriter(int width, int height, const Colour& matte);

    void AddFrame(std::vector<uint32_t> straightPixels, int delayCentiseconds);
    std::string Encode() const;

private:
    struct FrameData {
        std::vector<uint32_t> rgb;  // 0x00RRGGBB after matting, kTransparent where clear
        int delay;
    };

    std::vector<uint32_t> BuildPalette() const;

    int width;
    int height;
    Colour matte;
    std::vector<FrameData> frames;
};
