#include <openssl/evp.h>

#include "support/TextConvert.h"
#include "support/platform/Sha256.h"

struct Sha256::State {
    EVP_MD_CTX* context = nullptr;
};

Sha256::Sha256() : state(std::make_unique<State>()) {
    state->context = EVP_MD_CTX_new();
    if (state->context != nullptr && EVP_DigestInit_ex(state->context, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(state->context);
        state->context = nullptr;
    }
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(state->context);
}

bool Sha256::IsReady() const {
    return state->context != nullptr;
}

void Sha256::Update(const void* bytes, std::size_t size) {
    if (IsReady()) EVP_DigestUpdate(state->context, bytes, size);
}

std::string Sha256::HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!IsReady() || EVP_DigestFinal_ex(state->context, digest, &length) != 1) return {};
    EVP_MD_CTX_free(state->context);
    state->context = nullptr;
    return LowerHex(digest, length);
}
