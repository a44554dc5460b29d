// Sizes and offsets that do not fit a header's 32-bit fields. Such a field reads 0xFFFFFFFF and
// its value sits in the ZIP64 block (tag 0x0001) of the header's extra field, in a fixed order:
// uncompressed size, compressed size, local header offset, each 8 bytes, present only for the
// fields that are saturated. Pure; any thread.
#pragma once

#include <cstddef>
#include <cstdint>

struct ZipItemSizes {
    std::uint64_t compressed = 0;
    std::uint64_t uncompressed = 0;
    std::uint64_t localHeaderOffset = 0;  // central directory headers only
};

enum class ZipHeaderKind { Local, Central };

// Replaces every saturated field of `sizes` by its value from the ZIP64 block of `extra`. A local
// header has no offset field. A saturated field the block does not carry keeps 0xFFFFFFFF, which
// then fails the checks on the item's data rather than being guessed.
void ApplyZip64Extra(const unsigned char* extra, std::size_t size, ZipHeaderKind kind, ZipItemSizes& sizes);
