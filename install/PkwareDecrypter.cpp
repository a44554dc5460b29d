#include "install/PkwareDecrypter.h"

#include <zlib.h>

namespace {

// One step of CRC-32 over one byte, the stirring function of the cipher.
inline std::uint32_t Crc32Step(const z_crc_t* table, std::uint32_t crc, unsigned char byte) {
    return std::uint32_t(table[(crc ^ byte) & 0xFF]) ^ (crc >> 8);
}

// Mixes one plain byte into the three keys.
inline void StirKeys(const z_crc_t* table, std::uint32_t& k0, std::uint32_t& k1, std::uint32_t& k2,
                     unsigned char plain) {
    k0 = Crc32Step(table, k0, plain);
    k1 = (k1 + (k0 & 0xFF)) * 134775813 + 1;
    k2 = Crc32Step(table, k2, static_cast<unsigned char>(k1 >> 24));
}

}  // namespace

PkwareDecrypter::PkwareDecrypter(std::string_view password) {
    const z_crc_t* table = get_crc_table();
    for (const char c : password) StirKeys(table, keys[0], keys[1], keys[2], static_cast<unsigned char>(c));
}

bool PkwareDecrypter::AcceptsHeader(const unsigned char (&header)[kHeaderSize], unsigned char checkByte) {
    unsigned char plain[kHeaderSize];
    for (std::size_t i = 0; i < kHeaderSize; ++i) plain[i] = header[i];
    Decrypt(plain, kHeaderSize);
    return plain[kHeaderSize - 1] == checkByte;
}

void PkwareDecrypter::Decrypt(unsigned char* data, std::size_t size) {
    // The keys live in locals for the loop: this runs once per byte of every encrypted item.
    const z_crc_t* table = get_crc_table();
    std::uint32_t k0 = keys[0], k1 = keys[1], k2 = keys[2];
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint32_t temp = (k2 & 0xFFFF) | 2;
        const unsigned char plain = data[i] ^ static_cast<unsigned char>((temp * (temp ^ 1)) >> 8);
        data[i] = plain;
        StirKeys(table, k0, k1, k2, plain);
    }
    keys[0] = k0;
    keys[1] = k1;
    keys[2] = k2;
}
