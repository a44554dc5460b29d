#include "install/ZipEndRecords.h"

#include <cstring>
#include <optional>

#include "install/LittleEndian.h"

namespace {

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kLocatorSize = 20;
constexpr std::size_t kZip64EndRecordSize = 56;  // without extensible data

bool HasSignature(const unsigned char* at, const char* signature) {
    return std::memcmp(at, signature, 4) == 0;
}

// The last end record whose comment reaches exactly to the end of the file, as writers put it.
std::optional<std::size_t> FindEndRecord(const unsigned char* tail, std::size_t size) {
    if (size < kEndRecordSize) return std::nullopt;
    for (std::size_t at = size - kEndRecordSize + 1; at-- > 0;) {
        if (HasSignature(tail + at, "PK\x05\x06") &&
            at + kEndRecordSize + ReadLittleEndian(tail + at + 20, 2) == size)
            return at;
    }
    return std::nullopt;
}

// The ZIP64 end record ends where its locator begins; its own size field says where it starts
// (56 bytes unless it carries extensible data).
std::optional<std::size_t> FindZip64EndRecord(const unsigned char* tail, std::size_t locator) {
    if (locator < kZip64EndRecordSize) return std::nullopt;
    for (std::size_t at = locator - kZip64EndRecordSize + 1; at-- > 0;) {
        if (HasSignature(tail + at, "PK\x06\x06") && at + 12 + ReadLittleEndian(tail + at + 4, 8) == locator)
            return at;
    }
    return std::nullopt;
}

// Bytes before the central directory that the archive does not account for.
std::uint64_t Leading(std::uint64_t recordPosition, std::uint64_t directoryOffset,
                      std::uint64_t directorySize) {
    if (directoryOffset > recordPosition || directorySize > recordPosition - directoryOffset) return 0;
    return recordPosition - directoryOffset - directorySize;
}

}  // namespace

std::uint64_t ZipLeadingBytes(const unsigned char* tail, std::size_t size, std::uint64_t fileSize) {
    if (size > fileSize) return 0;
    const std::uint64_t tailStart = fileSize - size;
    const std::optional<std::size_t> end = FindEndRecord(tail, size);
    if (!end) return 0;
    if (*end >= kLocatorSize && HasSignature(tail + *end - kLocatorSize, "PK\x06\x07")) {
        if (const std::optional<std::size_t> zip64 = FindZip64EndRecord(tail, *end - kLocatorSize))
            return Leading(tailStart + *zip64, ReadLittleEndian(tail + *zip64 + 48, 8),
                           ReadLittleEndian(tail + *zip64 + 40, 8));
        return 0;
    }
    return Leading(tailStart + *end, ReadLittleEndian(tail + *end + 16, 4),
                   ReadLittleEndian(tail + *end + 12, 4));
}
