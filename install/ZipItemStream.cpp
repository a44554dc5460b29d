#include "install/ZipItemStream.h"

namespace {

constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kDeflated = 8;
constexpr std::uint32_t kFlagEncrypted = 0x01;
constexpr std::uint32_t kFlagDataDescriptor = 0x08;

}  // namespace

ZipItemStream::ZipItemStream(ZipArchiveFile& archive, unsigned char* input, unsigned char* output)
    : archive(archive), input(input), output(output) {}

ZipItemStream::~ZipItemStream() {
    if (inflating) inflateEnd(&inflater);
}

ZipResult ZipItemStream::Open(const ZipItemFacts& itemFacts, const std::string* password) {
    facts = itemFacts;
    if (facts.method != kStored && facts.method != kDeflated) return kZipCorrupt;
    const bool encrypted = facts.flags & kFlagEncrypted;
    if (encrypted && password == nullptr) return kZipPassword;

    if (!facts.dataBegin) return kZipCorrupt;

    if (encrypted) {
        unsigned char header[PkwareDecrypter::kHeaderSize];
        if (facts.compressedSize < sizeof header) return kZipCorrupt;  // shorter than the encryption header
        if (!archive.Read(*facts.dataBegin, header, sizeof header)) return kZipReadFailed;
        rawRead = sizeof header;
        const unsigned char check =
            (facts.flags & kFlagDataDescriptor) ? (facts.dosDateTime >> 8) & 0xFF : (facts.crc >> 24) & 0xFF;
        decrypter.emplace(*password);
        if (!decrypter->AcceptsHeader(header, check)) return kZipPassword;
    }

    if (facts.method == kDeflated) {
        if (inflateInit2(&inflater, -MAX_WBITS) != Z_OK) return kZipNoMemory;
        inflating = true;
    }
    return kZipOk;
}

ZipResult ZipItemStream::Next(const unsigned char*& data, std::size_t& size) {
    size = 0;
    if (contentEnded) return Finish();
    return facts.method == kStored ? NextStored(data, size) : NextDeflated(data, size);
}

ZipResult ZipItemStream::ReadRaw(std::size_t& size) {
    const std::uint64_t rest = facts.compressedSize - rawRead;
    size = rest < kBufferSize ? std::size_t(rest) : kBufferSize;
    if (size == 0) return kZipOk;
    if (!archive.Read(*facts.dataBegin + rawRead, input, size)) return kZipReadFailed;
    rawRead += size;
    if (decrypter) decrypter->Decrypt(input, size);
    return kZipOk;
}

ZipResult ZipItemStream::NextStored(const unsigned char*& data, std::size_t& size) {
    std::size_t got = 0;
    if (const ZipResult read = ReadRaw(got); read != kZipOk) return read;
    if (got == 0) {
        contentEnded = true;
        return Finish();
    }
    data = input;
    size = got;
    return Account(input, got);
}

ZipResult ZipItemStream::NextDeflated(const unsigned char*& data, std::size_t& size) {
    inflater.next_out = output;
    inflater.avail_out = uInt(kBufferSize);
    while (inflater.avail_out == kBufferSize) {
        if (inflater.avail_in == 0) {
            std::size_t got = 0;
            if (const ZipResult read = ReadRaw(got); read != kZipOk) return read;
            inflater.next_in = input;
            inflater.avail_in = uInt(got);
        }
        const int status = inflate(&inflater, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            contentEnded = true;
            break;
        }
        if (status == Z_MEM_ERROR) return kZipNoMemory;
        // No progress possible: the raw data ended before the deflate stream did.
        if (status == Z_BUF_ERROR) return kZipCorrupt;
        if (status != Z_OK) return kZipFlateError;
    }
    const std::size_t got = kBufferSize - inflater.avail_out;
    if (got == 0) return Finish();
    data = output;
    size = got;
    return Account(output, got);
}

ZipResult ZipItemStream::Account(const unsigned char* data, std::size_t size) {
    produced += size;
    if (produced > facts.uncompressedSize) return kZipCorrupt;
    crc = crc32(crc, data, uInt(size));
    return kZipOk;
}

ZipResult ZipItemStream::Finish() const {
    return produced == facts.uncompressedSize && crc == facts.crc ? kZipOk : kZipCorrupt;
}
