// Reading the little-endian integers of ZIP records. Pure; any thread.
#pragma once

#include <cstddef>
#include <cstdint>

// The `bytes`-byte (at most 8) little-endian value at `p`.
constexpr std::uint64_t ReadLittleEndian(const unsigned char* p, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = value << 8 | p[i];
    return value;
}
