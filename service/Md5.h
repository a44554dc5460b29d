// MD5 message digest (RFC 1321) of bytes, strings, streams and files, rendered as 32 lower-case
// hexadecimal digits. Used to verify downloaded files against the manifest's "hash" (an exact,
// case-sensitive comparison) and to sign form requests.
//
// One object hashes one message: add every byte, then ask for the digest. Digest and HexDigest
// may be called any number of times; each call finalises a copy, so they agree. Adding bytes after
// a digest continues the same message. An object belongs to one thread at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <istream>
#include <string>

class Md5 {
public:
    using DigestBytes = std::array<std::uint8_t, 16>;

    Md5();
    explicit Md5(const std::string& text);
    Md5(const void* bytes, std::size_t length);
    explicit Md5(std::istream& stream);

    void Reset();
    void Update(const void* bytes, std::size_t length);
    void Update(const std::string& text);
    // Reads the stream to its end in 1024-byte pieces; does nothing when the stream has already
    // failed. A read error stops the reading and leaves the stream bad().
    void UpdateFromStream(std::istream& stream);
    // The same, then closes the file.
    void UpdateFromStream(std::ifstream& stream);

    const DigestBytes& Digest();
    std::string HexDigest();

private:
    void Transform(const std::uint8_t* block);

    std::uint32_t state[4];
    std::uint32_t count[2];  // message length in bits, low word first
    std::uint8_t buffer[64];
    DigestBytes digest{};
    bool finished = false;
};

// Hashes the file at `path` (narrow, UTF-8). Returns false, with `hexDigest`
// empty, when the file cannot be opened or read (missing, a directory, no permission); otherwise
// true with the 32-digit digest of the whole file. Memory use does not depend on the file's size.
bool Md5OfFile(const std::string& path, std::string& hexDigest);
