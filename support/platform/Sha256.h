// SHA-256 of a stream of bytes, through the system's own implementation (BCrypt on Windows,
// OpenSSL's libcrypto on Linux). One thread at a time; move-free, one digest per object.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    // False when the system could not set up the hash; Update and HexDigest then do nothing.
    bool IsReady() const;
    void Update(const void* bytes, std::size_t size);
    // The digest of everything updated so far as 64 lowercase hex digits (empty when not ready);
    // the object is spent afterwards.
    std::string HexDigest();

private:
    struct State;
    std::unique_ptr<State> state;
};
