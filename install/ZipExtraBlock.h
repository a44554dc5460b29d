// The extra field of a ZIP header is a run of blocks, each a 2-byte tag, a 2-byte length and that
// many bytes of data. Pure; any thread.
#pragma once

#include <cstddef>
#include <optional>

struct ZipExtraBlock {
    const unsigned char* data = nullptr;
    std::size_t length = 0;  // cut at the end of the field where the block claims more
    bool complete = true;    // false when it was cut
};

// The first block tagged `tag` among the `size` bytes at `extra`, if there is one.
std::optional<ZipExtraBlock> FindZipExtraBlock(const unsigned char* extra, std::size_t size, unsigned tag);
