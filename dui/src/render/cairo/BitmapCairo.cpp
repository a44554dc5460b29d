#include "dui/src/render/cairo/BitmapCairo.h"

#include <cstring>

#include "dui/src/render/Unpremultiply.h"

BitmapCairo::BitmapCairo(CairoSurfacePtr surface) : surface_(std::move(surface)) {}

std::shared_ptr<BitmapCairo> BitmapCairo::Create(const ImgFrame& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() != static_cast<std::size_t>(frame.width) * frame.height)
        return nullptr;
    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(data + static_cast<std::size_t>(y) * stride,
                    &frame.pixels[static_cast<std::size_t>(y) * frame.width],
                    static_cast<std::size_t>(frame.width) * 4);
    cairo_surface_mark_dirty(surface.get());
    return std::make_shared<BitmapCairo>(std::move(surface));
}

int BitmapCairo::Width() const {
    return cairo_image_surface_get_width(surface_.get());
}
int BitmapCairo::Height() const {
    return cairo_image_surface_get_height(surface_.get());
}
COLORREF BitmapCairo::GetPixel(int x, int y) const {
    return ReadSurfacePixel(surface_.get(), x, y);
}

COLORREF ReadSurfacePixel(cairo_surface_t* surface, int x, int y) {
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
        y >= cairo_image_surface_get_height(surface))
        return kInvalidColor;
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) +
                               static_cast<std::size_t>(y) * cairo_image_surface_get_stride(surface);
    std::uint32_t word;
    std::memcpy(&word, row + static_cast<std::size_t>(x) * 4, 4);
    const std::uint32_t argb = Unpremultiply(word);
    return RGBA(static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb),
                static_cast<BYTE>(argb >> 24));
}
