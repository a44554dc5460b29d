// Canvas: one ARGB picture being drawn with Cairo, and its encodings.
//
// The canvas owns its Cairo surface and context. Pictures made of several state frames are drawn
// frame by frame with `Frame`, which translates the context to the frame's cell and clips to it.
// `WritePng` returns false when the file cannot be written. `StraightPixels` gives the pixels as
// non-premultiplied 0xAARRGGBB values, row by row, for the GIF and icon encoders.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return cr; }

    // Draws `draw` into frame `index` of a horizontal strip of frames `frameWidth` wide.
    void Frame(int index, int frameWidth, const std::function<void(cairo_t*)>& draw);

    bool WritePng(const std::string& path) const;
    std::string EncodePng() const;
    std::vector<uint32_t> StraightPixels() const;

private:
    int width;
    int height;
    cairo_surface_t* surface;
    cairo_t* cr;
};
