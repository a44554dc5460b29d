// Decodes a PNG file in memory (any colour type and bit depth, palette and tRNS transparency,
// alpha, interlacing) into one premultiplied ARGB frame. Stateless; any thread.
#pragma once

#include <cstddef>
#include <optional>

#include "dui/include/core/RenderTypes.h"

// Pictures larger than this many pixels are refused rather than allocated (a damaged or hostile
// header can claim four billion of them).
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

bool LooksLikePng(const void* data, std::size_t size);
// Nothing when the bytes are not a complete, valid PNG.
std::optional<ImgFrame> DecodePng(const void* data, std::size_t size);
