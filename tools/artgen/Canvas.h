// Canvas: one ARGB picture being drawn with Cairo, and its encodings.
//
// Drawing code works in the picture's 100 % coordinates; a canvas made for another scale sizes its
// surface for that scale and scales the context, so shapes are drawn at the target size rather than
// enlarged afterwards. A picture of several state frames is a strip of `frames` cells, each a
// whole number of pixels wide at every scale; `Frame` translates the context to one cell and clips
// to it. `WritePng` returns false when the file cannot be written. `StraightPixels` gives the
// pixels as non-premultiplied 0xAARRGGBB values, row by row, for the GIF and icon encoders.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// `length` at 100 % in pixels at `scale` percent, rounded to the nearest (halves up), as the
// framework measures the same picture.
int ScaledPixels(int length, int scale);

class Canvas {
public:
    // A picture of `frames` cells, each `width` × `height` at 100 %, drawn for `scale` percent.
    Canvas(int width, int height, int scale = 100, int frames = 1);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return cr; }
    int PixelWidth() const { return pixelWidth; }
    int PixelHeight() const { return pixelHeight; }

    // Draws `draw` into cell `index`, in that cell's 100 % coordinates.
    void Frame(int index, const std::function<void(cairo_t*)>& draw);

    bool WritePng(const std::string& path) const;
    std::string EncodePng() const;
    std::vector<uint32_t> StraightPixels() const;

private:
    int width;
    int height;
    int cellWidth;  // one cell in pixels
    int pixelWidth;
    int pixelHeight;
    cairo_surface_t* surface;
    cairo_t* cr;
};
