#include "Canvas.h"

#include <cstddef>

int ScaledPixels(int length, int scale) {
    return (2 * length * scale + 100) / 200;
}

Canvas::Canvas(int width, int height, int scale, int frames)
    : width(width),
      height(height),
      cellWidth(ScaledPixels(width, scale)),
      pixelWidth(cellWidth * frames),
      pixelHeight(ScaledPixels(height, scale)),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight)),
      cr(cairo_create(surface)) {
    cairo_scale(cr, double(cellWidth) / width, double(pixelHeight) / height);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void Canvas::Frame(int index, const std::function<void(cairo_t*)>& draw) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, index * cellWidth, 0, cellWidth, pixelHeight);
    cairo_clip(cr);
    cairo_translate(cr, index * cellWidth, 0);
    cairo_scale(cr, double(cellWidth) / width, double(pixelHeight) / height);
    draw(cr);
    cairo_restore(cr);
}

bool Canvas::WritePng(const std::string& path) const {
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::string Canvas::EncodePng() const {
    std::string bytes;
    cairo_surface_flush(surface);
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

std::vector<uint32_t> Canvas::StraightPixels() const {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(pixelWidth) * pixelHeight);
    for (int y = 0; y < pixelHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < pixelWidth; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            if (a == 0) {
                pixels.push_back(0);
                continue;
            }
            auto unpremultiply = [a](uint32_t c) { return (c * 255 + a / 2) / a; };
            pixels.push_back((a << 24) | (unpremultiply((p >> 16) & 0xff) << 16) |
                             (unpremultiply((p >> 8) & 0xff) << 8) | unpremultiply(p & 0xff));
        }
    }
    return pixels;
}
