// Where an archive begins inside its file. A self-extracting program puts its own bytes in front
// of the archive, and the offsets the archive's records hold then count from the archive's start,
// not from the file's. The end records tell how many bytes lead: the central directory ends
// where the end record (or the ZIP64 end record, for an archive that needs one) begins.
// Pure; any thread.
#pragma once

#include <cstddef>
#include <cstdint>

// The bytes a reader needs from the end of a file to find its end records: the end record with
// the longest comment, the ZIP64 locator and the ZIP64 end record.
constexpr std::size_t kZipEndRecordsReach = 0xFFFF + 22 + 20 + 56;

// `tail` holds the last `size` bytes of a file whose total length is `fileSize`. Returns how many
// bytes lead the archive; 0 when none do or the records are not found or don't add up (the archive
// is then judged by whoever reads its directory).
std::uint64_t ZipLeadingBytes(const unsigned char* tail, std::size_t size, std::uint64_t fileSize);
