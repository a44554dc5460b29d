// The portable half of HeldInstaller: ownership, the proof's order and the file's digest.
#include "support/platform/HeldInstaller.h"

#include <utility>
#include <vector>

#include "support/platform/Sha256.h"

HeldInstaller::~HeldInstaller() {
    Close();
}

HeldInstaller::HeldInstaller(HeldInstaller&& other) noexcept
    : path(std::move(other.path)), handle(std::exchange(other.handle, kNoHandle)) {}

HeldInstaller& HeldInstaller::operator=(HeldInstaller&& other) noexcept {
    if (this != &other) {
        Close();
        path = std::move(other.path);
        handle = std::exchange(other.handle, kNoHandle);
    }
    return *this;
}

bool HeldInstaller::Proves(const InstallerProof& proof, std::string& problem) const {
    if (!IsOpen()) {
        problem = "the installer is not open";
        return false;
    }
    if (!SignedBy(proof.signer, problem)) return false;
    if (proof.sha256.empty()) return true;
    const std::string actual = Sha256Hex();
    if (actual == proof.sha256) return true;
    problem = actual.empty() ? "the installer could not be read for its SHA-256"
                             : "SHA-256 " + actual + " differs from the pinned " + proof.sha256;
    return false;
}

std::string HeldInstaller::Sha256Hex() const {
    Sha256 digest;
    std::vector<unsigned char> buffer(1 << 20);
    std::uint64_t offset = 0;
    for (;;) {
        const std::int64_t read = ReadAt(offset, buffer.data(), buffer.size());
        if (read < 0) return {};
        if (read == 0) return digest.HexDigest();
        digest.Update(buffer.data(), std::size_t(read));
        offset += std::uint64_t(read);
    }
}
