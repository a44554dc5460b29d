#include "dui/src/render/PngDecoder.h"

#include <png.h>

#include <cstring>

bool LooksLikePng(const void* data, std::size_t size) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

namespace {

// Straight BGRA bytes (what libpng hands out) to premultiplied native ARGB words.
std::uint32_t Premultiply(const png_byte* bgra) {
    const std::uint32_t a = bgra[3];
    const auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul(bgra[2]) << 16) | (mul(bgra[1]) << 8) | mul(bgra[0]);
}

}  // namespace

std::optional<ImgFrame> DecodePng(const void* data, std::size_t size) {
    if (!LooksLikePng(data, size)) return std::nullopt;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return std::nullopt;
    if (image.width == 0 || image.height == 0 ||
        static_cast<long long>(image.width) * image.height > kMaxImagePixels) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    ImgFrame frame;
    frame.width = static_cast<int>(image.width);
    frame.height = static_cast<int>(image.height);
    frame.pixels.resize(static_cast<std::size_t>(frame.width) * frame.height);
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) frame.pixels[i] = Premultiply(&bytes[i * 4]);
    return frame;
}
