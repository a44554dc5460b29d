// An installer the wizard is about to run (or has just downloaded), opened and held so that its
// proof and its start concern the same bytes. On Windows the file is opened without write or delete
// sharing: while it is held nobody can change, replace or remove it, and starting it is still
// allowed. Linux has no such lock; there the download folder's rights (SecuredFolder.h) keep other
// users out.
//
// Proof, judged on the held bytes:
//   - Windows: the Authenticode signature verifies with WinVerifyTrust (whole chain to a trusted
//     root, no UI, revocation from what the system has cached, without going online), and the
//     signing certificate's name equals `signer`;
//   - both platforms: when `sha256` is not empty, the file's SHA-256 equals it.
// Move-only; one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/platform/NativeHandle.h"

struct InstallerProof {
    std::string signer;  // the name the signer must bear (Windows); an empty name proves nothing
    std::string sha256;  // lowercase hex of the whole file; empty: not pinned
};

class HeldInstaller {
public:
    HeldInstaller() = default;
    ~HeldInstaller();
    HeldInstaller(HeldInstaller&& other) noexcept;
    HeldInstaller& operator=(HeldInstaller&& other) noexcept;
    HeldInstaller(const HeldInstaller&) = delete;
    HeldInstaller& operator=(const HeldInstaller&) = delete;

    // Opens `path` (UTF-8) and holds it. 0, or the platform's error code (Windows: GetLastError(),
    // e.g. ERROR_SHARING_VIOLATION while someone writes to it; Linux: errno).
    std::uint32_t Open(const std::string& path);

    bool IsOpen() const { return handle != kNoHandle; }

    // True when the held file carries the proof; otherwise false with the reason in `problem`, in
    // English for the log.
    bool Proves(const InstallerProof& proof, std::string& problem) const;

    // The SHA-256 of the held file as lowercase hex; empty when it cannot be read.
    std::string Sha256Hex() const;

    void Close();

private:
    // Platform parts: the signature check (Linux, where installers are scripts, has none and
    // passes), and reading the held file from `offset` (bytes read, 0 at its end, -1 on failure).
    bool SignedBy(const std::string& signer, std::string& problem) const;
    std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;

    std::string path;
    NativeHandle handle = kNoHandle;
};
