// The bytes of an archive file as the archive counts them: offset 0 is where the archive begins,
// after any leading bytes (ZipEndRecords.h). The reader reads item headers and item data through
// it, and hands minizip the same view, so both agree on every offset the archive holds.
//
// Owner: one ZipReader; one thread at a time. The minizip view opens the file again on its own
// handle and must not outlive this object.
#pragma once

#include <ioapi.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

class ZipArchiveFile {
public:
    // Opens the file at the UTF-8 `path`; false when it cannot be opened for reading.
    bool Open(const std::string& path);

    // Exactly `size` bytes at `offset`; false when the file holds fewer.
    bool Read(std::uint64_t offset, void* buffer, std::size_t size);

    // File functions for minizip's unzOpen2_64 with this view; the path passed there is the file's.
    zlib_filefunc64_def MinizipView();

    std::uint64_t LeadingBytes() const { return leading; }

private:
    std::ifstream file;
    std::uint64_t leading = 0;
};
