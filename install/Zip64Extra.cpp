#include "install/Zip64Extra.h"

#include "install/LittleEndian.h"

namespace {

constexpr std::uint64_t kSaturated = 0xFFFFFFFF;
constexpr unsigned kZip64Tag = 0x0001;

}  // namespace

void ApplyZip64Extra(const unsigned char* extra, std::size_t size, ZipHeaderKind kind, ZipItemSizes& sizes) {
    std::uint64_t* const fields[] = {&sizes.uncompressed, &sizes.compressed,
                                     kind == ZipHeaderKind::Central ? &sizes.localHeaderOffset : nullptr};
    for (std::size_t at = 0; at + 4 <= size;) {
        const std::uint64_t tag = ReadLittleEndian(extra + at, 2);
        const std::size_t length = std::size_t(ReadLittleEndian(extra + at + 2, 2));
        const std::size_t begin = at + 4;
        at = begin + length;
        if (tag != kZip64Tag) continue;
        const std::size_t end = at <= size ? at : size;
        std::size_t next = begin;
        for (std::uint64_t* field : fields) {
            if (field == nullptr || *field != kSaturated) continue;
            if (next + 8 > end) break;
            *field = ReadLittleEndian(extra + next, 8);
            next += 8;
        }
        return;
    }
}
