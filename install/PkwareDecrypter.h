// The traditional PKWARE stream cipher of encrypted ZIP items, decrypting side. Three 32-bit keys
// seeded with fixed values and stirred with every password byte, then with every decrypted byte.
// Each item's data starts with a 12-byte header whose last byte, once decrypted, tells whether the
// password is right (one chance in 256 that a wrong one passes; the CRC check catches those).
// One object per item; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class PkwareDecrypter {
public:
    static constexpr std::size_t kHeaderSize = 12;

    explicit PkwareDecrypter(std::string_view password);

    // Decrypts the item's header and compares its check byte with `checkByte`: the high byte of the
    // item's CRC, or of its DOS time when the sizes and CRC follow the data (flag bit 3).
    bool AcceptsHeader(const unsigned char (&header)[kHeaderSize], unsigned char checkByte);

    void Decrypt(unsigned char* data, std::size_t size);

private:
    std::uint32_t keys[3] = {0x12345678, 0x23456789, 0x34567890};
};
