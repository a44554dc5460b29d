#include "dui/src/res.mgr/SIconFile.h"

#include <cstdint>

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr int kDefaultIconSize = 32;
constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

std::uint32_t Read16(std::string_view b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8);
}
std::uint32_t Read32(std::string_view b, std::size_t at) {
    return Read16(b, at) | (Read16(b, at + 2) << 16);
}

// Which candidate serves `wanted` better: an exact size, else the smallest larger, else the largest.
bool Better(int candidate, int current, int wanted) {
    if (current == 0) return true;
    if (current == wanted) return false;
    if (candidate == wanted) return true;
    const bool candidateFits = candidate > wanted, currentFits = current > wanted;
    if (candidateFits != currentFits) return candidateFits;
    return candidateFits ? candidate < current : candidate > current;
}

}  // namespace

bool PickIconImage(std::string_view bytes, int size, std::string_view& image) {
    if (bytes.size() < kHeaderSize || Read16(bytes, 0) != 0 || Read16(bytes, 2) != 1) return false;
    const std::size_t count = Read16(bytes, 4);
    if (bytes.size() < kHeaderSize + count * kEntrySize) return false;
    const int wanted = size > 0 ? size : kDefaultIconSize;
    int chosen = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + i * kEntrySize;
        const int width = std::uint8_t(bytes[entry]) == 0 ? 256 : std::uint8_t(bytes[entry]);
        const std::uint32_t length = Read32(bytes, entry + 8);
        const std::uint32_t offset = Read32(bytes, entry + 12);
        if (offset > bytes.size() || length > bytes.size() - offset) continue;
        const std::string_view data = bytes.substr(offset, length);
        if (!data.starts_with(kPngSignature) || !Better(width, chosen, wanted)) continue;
        chosen = width;
        image = data;
    }
    return chosen != 0;
}
