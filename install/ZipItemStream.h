// The content of one archive item, made from the item's raw data bytes: decrypted when the item is
// encrypted, inflated when it is deflated, and held to the item's declared size and CRC-32 on the
// way. The content never grows past the declared size, so a lying header cannot make the reader
// write more than it announced.
//
// The raw bytes are read here rather than through minizip: the system library is built without
// decryption, its own checks skip the CRC when the declared size was not reached, and on 64-bit
// hosts it does not take sizes and offsets from ZIP64 fields. The stream borrows the reader's
// transfer buffers and archive file.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "install/PkwareDecrypter.h"
#include "install/ZipArchiveFile.h"
#include "install/ZipResult.h"

// What the central directory says about an item's data, and where the data lies.
struct ZipItemFacts {
    std::uint32_t method = 0;  // 0 stored, 8 deflated
    std::uint32_t flags = 0;   // bit 0 encrypted, bit 3 sizes and CRC after the data
    std::uint32_t crc = 0;
    std::uint32_t dosDateTime = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint64_t compressedSize = 0;
    std::optional<std::uint64_t> dataBegin;  // none when the local header is missing or disagrees
};

class ZipItemStream {
public:
    static constexpr std::size_t kBufferSize = 16 * 1024;

    // `input` and `output` hold kBufferSize bytes each; they and `archive` outlive the stream.
    ZipItemStream(ZipArchiveFile& archive, unsigned char* input, unsigned char* output);
    ~ZipItemStream();
    ZipItemStream(const ZipItemStream&) = delete;
    ZipItemStream& operator=(const ZipItemStream&) = delete;

    // Opens the item's data. An encrypted item needs `password` to pass the header check
    // (kZipPassword otherwise, no password included); an unknown method or a missing local header
    // is kZipCorrupt.
    ZipResult Open(const ZipItemFacts& facts, const std::string* password);

    // The next piece of content (at most kBufferSize bytes). `size` 0 means the item has ended with
    // exactly its declared size and CRC. kZipCorrupt for a size or CRC mismatch or truncated data,
    // kZipFlateError for data inflate rejects, kZipReadFailed when the archive can't be read.
    ZipResult Next(const unsigned char*& data, std::size_t& size);

private:
    ZipResult ReadRaw(std::size_t& size);
    ZipResult NextStored(const unsigned char*& data, std::size_t& size);
    ZipResult NextDeflated(const unsigned char*& data, std::size_t& size);
    ZipResult Account(const unsigned char* data, std::size_t size);
    ZipResult Finish() const;

    ZipArchiveFile& archive;
    unsigned char* input;
    unsigned char* output;
    ZipItemFacts facts;
    std::optional<PkwareDecrypter> decrypter;
    z_stream inflater{};
    bool inflating = false;
    std::uint64_t rawRead = 0;
    bool contentEnded = false;
    std::uint64_t produced = 0;
    uLong crc = 0;
};
