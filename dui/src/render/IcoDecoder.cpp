#include "dui/src/render/IcoDecoder.h"

#include <algorithm>
#include <cstdint>

#include "dui/src/render/PngDecoder.h"

namespace {

// ICONDIR: reserved 0, type 1, entry count; then 16-byte entries; all little-endian.
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Read16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
std::uint32_t Read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool LooksLikeIco(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    return size >= kHeaderSize && Read16(p) == 0 && Read16(p + 2) == 1 && Read16(p + 4) > 0 &&
           kHeaderSize + Read16(p + 4) * kEntrySize <= size;
}

std::vector<ImgFrame> DecodeIco(const void* data, std::size_t size) {
    std::vector<ImgFrame> frames;
    if (!LooksLikeIco(data, size)) return frames;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const std::uint32_t count = Read16(bytes + 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + kHeaderSize + i * kEntrySize;
        const std::uint32_t length = Read32(entry + 8), offset = Read32(entry + 12);
        // An entry pointing outside the file is damage; the others still count.
        if (offset > size || length > size - offset) continue;
        if (auto frame = DecodePng(bytes + offset, length)) frames.push_back(std::move(*frame));
    }
    std::stable_sort(frames.begin(), frames.end(),
                     [](const ImgFrame& a, const ImgFrame& b) { return a.width < b.width; });
    return frames;
}
