#include "install/UnicodePathExtra.h"

#include <zlib.h>

#include "install/LittleEndian.h"
#include "install/ZipExtraBlock.h"

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
    const auto block = FindZipExtraBlock(extra, size, kUnicodePathTag);
    if (!block || !block->complete || block->length < kVersionAndCrcSize ||
        block->data[0] != kUnicodePathVersion || ReadLittleEndian(block->data + 1, 4) != Crc32Of(storedName))
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(block->data + kVersionAndCrcSize),
                            block->length - kVersionAndCrcSize);
}
