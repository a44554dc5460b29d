#include <windows.h>
// Needs what <windows.h> defines, so it stays after it.
#include <bcrypt.h>

#include <algorithm>
#include <limits>

#include "support/TextConvert.h"
#include "support/platform/Sha256.h"

struct Sha256::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
};

Sha256::Sha256() : state(std::make_unique<State>()) {
    if (!BCRYPT_SUCCESS(
            ::BCryptOpenAlgorithmProvider(&state->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        state->algorithm = nullptr;
        return;
    }
    // Since Windows 7 the object's memory may be left to the system.
    if (!BCRYPT_SUCCESS(::BCryptCreateHash(state->algorithm, &state->hash, nullptr, 0, nullptr, 0, 0)))
        state->hash = nullptr;
}

Sha256::~Sha256() {
    if (state->hash != nullptr) ::BCryptDestroyHash(state->hash);
    if (state->algorithm != nullptr) ::BCryptCloseAlgorithmProvider(state->algorithm, 0);
}

bool Sha256::IsReady() const {
    return state->hash != nullptr;
}

void Sha256::Update(const void* bytes, std::size_t size) {
    auto* next = static_cast<UCHAR*>(const_cast<void*>(bytes));
    while (IsReady() && size > 0) {
        const ULONG part = ULONG(std::min<std::size_t>(size, std::numeric_limits<ULONG>::max()));
        ::BCryptHashData(state->hash, next, part, 0);
        next += part;
        size -= part;
    }
}

std::string Sha256::HexDigest() {
    UCHAR digest[32];
    if (!IsReady() || !BCRYPT_SUCCESS(::BCryptFinishHash(state->hash, digest, sizeof digest, 0))) return {};
    ::BCryptDestroyHash(state->hash);
    state->hash = nullptr;
    return LowerHex(digest, sizeof digest);
}
