#include "install/Zip64Extra.h"

#include "install/LittleEndian.h"
#include "install/ZipExtraBlock.h"

namespace {

constexpr std::uint64_t kSaturated = 0xFFFFFFFF;
constexpr unsigned kZip64Tag = 0x0001;

}  // namespace

void ApplyZip64Extra(const unsigned char* extra, std::size_t size, ZipHeaderKind kind, ZipItemSizes& sizes) {
    std::uint64_t* const fields[] = {&sizes.uncompressed, &sizes.compressed,
                                     kind == ZipHeaderKind::Central ? &sizes.localHeaderOffset : nullptr};
    const auto block = FindZipExtraBlock(extra, size, kZip64Tag);
    if (!block) return;
    std::size_t next = 0;
    for (std::uint64_t* field : fields) {
        if (field == nullptr || *field != kSaturated) continue;
        if (next + 8 > block->length) break;
        *field = ReadLittleEndian(block->data + next, 8);
        next += 8;
    }
}
