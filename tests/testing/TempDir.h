// A fresh folder under the system's temporary folder (or another), removed with everything in it
// when the object goes away.
#pragma once

#include <filesystem>
#include <string>

namespace larkholm::testing {

class TempDir {
public:
    // `base`: the folder to make it in; the system's temporary folder unless given.
    explicit TempDir(const std::filesystem::path& base = std::filesystem::temp_directory_path());
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::string operator/(const std::string& name) const { return (path / name).string(); }

    // Writes `content` to `relativePath`, creating folders as needed; returns the full path.
    std::string WriteFile(const std::string& relativePath, const std::string& content) const;

private:
    std::filesystem::path path;
};

// The bytes of the file at `path`; empty when it cannot be read. A path object names a file outside
// the ANSI code page on Windows too.
std::string ReadFile(const std::filesystem::path& path);

// Removes `path` and everything in it, read-only items included; a missing path is no error.
void RemoveTree(const std::filesystem::path& path);

}  // namespace larkholm::testing
