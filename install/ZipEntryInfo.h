// The entry record GetEntry fills for one archive item, and how its attributes and times are read
// from the item's central directory header. Plain data and pure functions; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Windows attribute bits as they appear in `ZipEntryInfo::attr`.
constexpr std::uint32_t kZipAttrReadOnly = 0x01;
constexpr std::uint32_t kZipAttrHidden = 0x02;
constexpr std::uint32_t kZipAttrSystem = 0x04;
constexpr std::uint32_t kZipAttrDirectory = 0x10;
constexpr std::uint32_t kZipAttrArchive = 0x20;

struct ZipEntryInfo {
    std::int32_t index = 0;  // the item's index; for index -1, the number of items
    std::wstring name;       // sanitised item name, at most kZipMaxName units
    std::uint32_t attr = 0;
    std::uint64_t atime = 0;  // Windows file times (100 ns since 1601-01-01 UTC)
    std::uint64_t ctime = 0;
    std::uint64_t mtime = 0;
    std::int32_t compSize = 0;  // sizes beyond 2 GiB read as INT32_MAX, never wrap to 0 or below
    std::int32_t uncSize = 0;
};

// Item names and paths are bounded as on Windows: MAX_PATH units with the terminator.
constexpr std::size_t kZipMaxName = 259;

// Windows attributes from the high byte of "version made by" (the host system) and the external
// attributes: DOS-like hosts (0 FAT, 7, 11 NTFS, 14 VFAT) store them in the low byte; any other host
// stores a Unix mode in the high half, of which the folder type and the owner's write bit count.
std::uint32_t EntryAttributes(std::uint32_t versionMadeBy, std::uint32_t externalAttributes);

// A DOS date and time (date in the high 16 bits), which archives record in local time, as a UTC
// file time.
std::uint64_t DosTimeToFileTime(std::uint32_t dosDateTime);

std::uint64_t UnixTimeToFileTime(std::int64_t seconds);

// Overrides mtime, atime and ctime with those the first "UT" (extended timestamp) block of `extra`
// carries; a time the block doesn't carry keeps its value. Malformed blocks are read only as far as
// they go.
void ApplyExtendedTimestamp(const unsigned char* extra, std::size_t size, ZipEntryInfo& info);
