#include "install/ZipExtraBlock.h"

#include "install/LittleEndian.h"

std::optional<ZipExtraBlock> FindZipExtraBlock(const unsigned char* extra, std::size_t size, unsigned tag) {
    for (std::size_t at = 0; at + 4 <= size;) {
        const std::uint64_t blockTag = ReadLittleEndian(extra + at, 2);
        const std::size_t length = std::size_t(ReadLittleEndian(extra + at + 2, 2));
        const std::size_t begin = at + 4;
        at = begin + length;
        if (blockTag != tag) continue;
        const bool complete = at <= size;
        return ZipExtraBlock{extra + begin, complete ? length : size - begin, complete};
    }
    return std::nullopt;
}
