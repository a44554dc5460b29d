#include "install/ZipEntryInfo.h"

#include <ctime>

#include "install/LittleEndian.h"

namespace {

constexpr std::uint16_t kExtendedTimestampTag = 0x5455;  // "UT"
constexpr std::uint32_t kUnixFolder = 0x40000000;        // S_IFDIR in the high half
constexpr std::uint32_t kUnixOwnerWrite = 0x00800000;    // S_IWUSR in the high half
constexpr std::uint32_t kWindowsAttributeMask =
    kZipAttrReadOnly | kZipAttrHidden | kZipAttrSystem | kZipAttrDirectory | kZipAttrArchive;

bool IsDosLikeHost(std::uint32_t host) {
    return host == 0 || host == 7 || host == 11 || host == 14;
}

}  // namespace

std::uint32_t EntryAttributes(std::uint32_t versionMadeBy, std::uint32_t externalAttributes) {
    if (IsDosLikeHost((versionMadeBy >> 8) & 0xFF)) return externalAttributes & kWindowsAttributeMask;
    std::uint32_t attr = kZipAttrArchive;
    if (externalAttributes & kUnixFolder) attr |= kZipAttrDirectory;
    if (!(externalAttributes & kUnixOwnerWrite)) attr |= kZipAttrReadOnly;
    return attr;
}

std::uint64_t DosTimeToFileTime(std::uint32_t dosDateTime) {
    std::tm local{};
    local.tm_year = int((dosDateTime >> 25) & 0x7F) + 80;
    local.tm_mon = int((dosDateTime >> 21) & 0x0F) - 1;
    local.tm_mday = int((dosDateTime >> 16) & 0x1F);
    local.tm_hour = int((dosDateTime >> 11) & 0x1F);
    local.tm_min = int((dosDateTime >> 5) & 0x3F);
    local.tm_sec = int(dosDateTime & 0x1F) * 2;
    local.tm_isdst = -1;  // whether summer time applied on that date is the time zone's to say
    return UnixTimeToFileTime(std::int64_t(std::mktime(&local)));
}

std::uint64_t UnixTimeToFileTime(std::int64_t seconds) {
    return std::uint64_t(seconds * 10000000 + 116444736000000000);
}

void ApplyExtendedTimestamp(const unsigned char* extra, std::size_t size, ZipEntryInfo& info) {
    std::size_t pos = 0;
    while (size - pos >= 5) {
        const auto tag = std::uint32_t(ReadLittleEndian(extra + pos, 2));
        const auto blockSize = std::size_t(ReadLittleEndian(extra + pos + 2, 2));
        const std::size_t data = pos + 4;
        if (tag != kExtendedTimestampTag) {
            if (blockSize > size - data) return;
            pos = data + blockSize;
            continue;
        }
        const std::size_t end = blockSize < size - data ? data + blockSize : size;
        if (data >= end) return;
        const unsigned flags = extra[data];
        std::size_t next = data + 1;
        std::uint64_t* const times[] = {&info.mtime, &info.atime, &info.ctime};
        for (unsigned bit = 0; bit < 3; ++bit) {
            if (!(flags & (1u << bit))) continue;
            if (end - next < 4) return;  // the central directory often keeps only the first time
            *times[bit] = UnixTimeToFileTime(std::int32_t(ReadLittleEndian(extra + next, 4)));
            next += 4;
        }
        return;
    }
}
