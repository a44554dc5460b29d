#include "install/UnicodePathExtra.h"

#include <zlib.h>

#include "install/LittleEndian.h"

namespace {

constexpr unsigned kUnicodePathTag = 0x7075;
constexpr unsigned kUnicodePathVersion = 1;
constexpr std::size_t kVersionAndCrcSize = 5;

std::uint32_t Crc32Of(std::string_view text) {
    return std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(text.data()), uInt(text.size())));
}

}  // namespace

std::optional<std::string_view> UnicodePathOf(const unsigned char* extra, std::size_t size,
                                              std::string_view storedName) {
    for (std::size_t at = 0; at + 4 <= size;) {
        const std::uint64_t tag = ReadLittleEndian(extra + at, 2);
        const std::size_t length = std::size_t(ReadLittleEndian(extra + at + 2, 2));
        const std::size_t begin = at + 4;
        at = begin + length;
        if (tag != kUnicodePathTag) continue;
        if (at > size || length < kVersionAndCrcSize || extra[begin] != kUnicodePathVersion ||
            ReadLittleEndian(extra + begin + 1, 4) != Crc32Of(storedName))
            return std::nullopt;
        return std::string_view(reinterpret_cast<const char*>(extra + begin + kVersionAndCrcSize),
                                length - kVersionAndCrcSize);
    }
    return std::nullopt;
}
