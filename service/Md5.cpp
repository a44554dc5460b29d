#include "service/Md5.h"

#include <bit>
#include <cstring>
#include <memory>

#include "support/platform/FileSystemPath.h"

namespace {

constexpr std::size_t kStreamPiece = 1024;
// Md5OfFile reads 1024-byte pieces through a larger file buffer, so the file system sees few,
// large reads.
constexpr std::size_t kFileBufferSize = 64 * 1024;

std::uint32_t LoadLittleEndian(const std::uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t word;
        std::memcpy(&word, p, sizeof word);
        return word;
    } else {
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
               std::uint32_t(p[3]) << 24;
    }
}

void StoreLittleEndian(std::uint32_t word, std::uint8_t* p) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(word >> (8 * i));
}

// The four rounds' steps. Each round's function is written so that `b`, the word the previous
// step just produced, enters as late as possible: F needs two operations after `b`, G (whose two
// terms never share a bit, so "|" may be "+") needs one; the rest is computed while `b` is still
// being produced. The results are those of the textbook functions.
inline void FF(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
               std::uint32_t t, int s) {
    a = std::rotl(a + (d ^ (b & (c ^ d))) + x + t, s) + b;
}
inline void GG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
               std::uint32_t t, int s) {
    a = std::rotl(a + (c & ~d) + x + t + (b & d), s) + b;
}
inline void HH(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
               std::uint32_t t, int s) {
    a = std::rotl(a + (b ^ c ^ d) + x + t, s) + b;
}
inline void II(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
               std::uint32_t t, int s) {
    a = std::rotl(a + (c ^ (b | ~d)) + x + t, s) + b;
}

}  // namespace

Md5::Md5() {
    Reset();
}

Md5::Md5(const std::string& text) : Md5() {
    Update(text);
}

Md5::Md5(const void* bytes, std::size_t length) : Md5() {
    Update(bytes, length);
}

Md5::Md5(std::istream& stream) : Md5() {
    UpdateFromStream(stream);
}

void Md5::Reset() {
    state[0] = 0x67452301;
    state[1] = 0xefcdab89;
    state[2] = 0x98badcfe;
    state[3] = 0x10325476;
    count[0] = count[1] = 0;
    finished = false;
}

void Md5::Update(const void* bytes, std::size_t length) {
    finished = false;
    if (length == 0) return;
    auto input = static_cast<const std::uint8_t*>(bytes);
    const std::size_t index = (count[0] >> 3) & 63;
    const std::uint64_t bits = ((std::uint64_t(count[1]) << 32) | count[0]) + (std::uint64_t(length) << 3);
    count[0] = std::uint32_t(bits);
    count[1] = std::uint32_t(bits >> 32);

    if (index != 0) {
        const std::size_t fill = 64 - index;
        if (length < fill) {
            std::memcpy(buffer + index, input, length);
            return;
        }
        std::memcpy(buffer + index, input, fill);
        Transform(buffer);
        input += fill;
        length -= fill;
    }
    // Whole blocks are hashed straight from the caller's bytes.
    for (; length >= 64; input += 64, length -= 64) Transform(input);
    std::memcpy(buffer, input, length);
}

void Md5::Update(const std::string& text) {
    Update(text.data(), text.size());
}

void Md5::UpdateFromStream(std::istream& stream) {
    if (stream.fail()) return;
    char piece[kStreamPiece];
    // Ends at end of file and equally on a read error, which leaves the stream bad().
    while (stream) {
        stream.read(piece, std::streamsize(sizeof piece));
        Update(piece, std::size_t(stream.gcount()));
    }
}

void Md5::UpdateFromStream(std::ifstream& stream) {
    UpdateFromStream(static_cast<std::istream&>(stream));
    stream.close();
}

const Md5::DigestBytes& Md5::Digest() {
    if (finished) return digest;
    // Pad a copy, so this object's state and bit count stay those of the message added so far.
    Md5 tail(*this);
    std::uint8_t lengthBytes[8];
    StoreLittleEndian(count[0], lengthBytes);
    StoreLittleEndian(count[1], lengthBytes + 4);
    static const std::uint8_t kPadding[64] = {0x80};
    const std::size_t index = (count[0] >> 3) & 63;
    tail.Update(kPadding, index < 56 ? 56 - index : 120 - index);
    tail.Update(lengthBytes, sizeof lengthBytes);
    for (int i = 0; i < 4; ++i) StoreLittleEndian(tail.state[i], digest.data() + 4 * i);
    finished = true;
    return digest;
}

std::string Md5::HexDigest() {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(32);
    for (const std::uint8_t byte : Digest()) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

void Md5::Transform(const std::uint8_t* block) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian(block + 4 * i);
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];

    FF(a, b, c, d, x[0], 0xd76aa478, 7);
    FF(d, a, b, c, x[1], 0xe8c7b756, 12);
    FF(c, d, a, b, x[2], 0x242070db, 17);
    FF(b, c, d, a, x[3], 0xc1bdceee, 22);
    FF(a, b, c, d, x[4], 0xf57c0faf, 7);
    FF(d, a, b, c, x[5], 0x4787c62a, 12);
    FF(c, d, a, b, x[6], 0xa8304613, 17);
    FF(b, c, d, a, x[7], 0xfd469501, 22);
    FF(a, b, c, d, x[8], 0x698098d8, 7);
    FF(d, a, b, c, x[9], 0x8b44f7af, 12);
    FF(c, d, a, b, x[10], 0xffff5bb1, 17);
    FF(b, c, d, a, x[11], 0x895cd7be, 22);
    FF(a, b, c, d, x[12], 0x6b901122, 7);
    FF(d, a, b, c, x[13], 0xfd987193, 12);
    FF(c, d, a, b, x[14], 0xa679438e, 17);
    FF(b, c, d, a, x[15], 0x49b40821, 22);

    GG(a, b, c, d, x[1], 0xf61e2562, 5);
    GG(d, a, b, c, x[6], 0xc040b340, 9);
    GG(c, d, a, b, x[11], 0x265e5a51, 14);
    GG(b, c, d, a, x[0], 0xe9b6c7aa, 20);
    GG(a, b, c, d, x[5], 0xd62f105d, 5);
    GG(d, a, b, c, x[10], 0x02441453, 9);
    GG(c, d, a, b, x[15], 0xd8a1e681, 14);
    GG(b, c, d, a, x[4], 0xe7d3fbc8, 20);
    GG(a, b, c, d, x[9], 0x21e1cde6, 5);
    GG(d, a, b, c, x[14], 0xc33707d6, 9);
    GG(c, d, a, b, x[3], 0xf4d50d87, 14);
    GG(b, c, d, a, x[8], 0x455a14ed, 20);
    GG(a, b, c, d, x[13], 0xa9e3e905, 5);
    GG(d, a, b, c, x[2], 0xfcefa3f8, 9);
    GG(c, d, a, b, x[7], 0x676f02d9, 14);
    GG(b, c, d, a, x[12], 0x8d2a4c8a, 20);

    HH(a, b, c, d, x[5], 0xfffa3942, 4);
    HH(d, a, b, c, x[8], 0x8771f681, 11);
    HH(c, d, a, b, x[11], 0x6d9d6122, 16);
    HH(b, c, d, a, x[14], 0xfde5380c, 23);
    HH(a, b, c, d, x[1], 0xa4beea44, 4);
    HH(d, a, b, c, x[4], 0x4bdecfa9, 11);
    HH(c, d, a, b, x[7], 0xf6bb4b60, 16);
    HH(b, c, d, a, x[10], 0xbebfbc70, 23);
    HH(a, b, c, d, x[13], 0x289b7ec6, 4);
    HH(d, a, b, c, x[0], 0xeaa127fa, 11);
    HH(c, d, a, b, x[3], 0xd4ef3085, 16);
    HH(b, c, d, a, x[6], 0x04881d05, 23);
    HH(a, b, c, d, x[9], 0xd9d4d039, 4);
    HH(d, a, b, c, x[12], 0xe6db99e5, 11);
    HH(c, d, a, b, x[15], 0x1fa27cf8, 16);
    HH(b, c, d, a, x[2], 0xc4ac5665, 23);

    II(a, b, c, d, x[0], 0xf4292244, 6);
    II(d, a, b, c, x[7], 0x432aff97, 10);
    II(c, d, a, b, x[14], 0xab9423a7, 15);
    II(b, c, d, a, x[5], 0xfc93a039, 21);
    II(a, b, c, d, x[12], 0x655b59c3, 6);
    II(d, a, b, c, x[3], 0x8f0ccc92, 10);
    II(c, d, a, b, x[10], 0xffeff47d, 15);
    II(b, c, d, a, x[1], 0x85845dd1, 21);
    II(a, b, c, d, x[8], 0x6fa87e4f, 6);
    II(d, a, b, c, x[15], 0xfe2ce6e0, 10);
    II(c, d, a, b, x[6], 0xa3014314, 15);
    II(b, c, d, a, x[13], 0x4e0811a1, 21);
    II(a, b, c, d, x[4], 0xf7537e82, 6);
    II(d, a, b, c, x[11], 0xbd3af235, 10);
    II(c, d, a, b, x[2], 0x2ad7d2bb, 15);
    II(b, c, d, a, x[9], 0xeb86d391, 21);

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

bool Md5OfFile(const std::string& path, std::string& hexDigest) {
    hexDigest.clear();
    const auto fileBuffer = std::make_unique<char[]>(kFileBufferSize);
    std::ifstream file;
    file.rdbuf()->pubsetbuf(fileBuffer.get(), std::streamsize(kFileBufferSize));
    file.open(PathFromUtf8(path), std::ios::binary);
    if (!file.is_open()) return false;
    Md5 md5;
    md5.UpdateFromStream(file);
    // A directory opens on some systems and fails at the first read.
    if (file.bad()) return false;
    hexDigest = md5.HexDigest();
    return true;
}
