#include "tests/testing/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace larkholm::testing {

TempDir::TempDir(const std::filesystem::path& base) {
    // create_directory reports whether it made the folder, so a name another process took is
    // simply skipped, the way mkdtemp does it.
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::filesystem::create_directories(base);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("larkholm-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path = candidate;
            return;
        }
    }
    throw std::runtime_error("TempDir: no fresh folder");
}

TempDir::~TempDir() {
    RemoveTree(path);
}

std::string TempDir::WriteFile(const std::string& relativePath, const std::string& content) const {
    const auto full = path / relativePath;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.string();
}

void RemoveTree(const std::filesystem::path& path) {
    std::error_code ignored;
    // Tests make folders and files read-only to provoke failures or to check extracted attributes;
    // give write access back so removal works (Windows refuses to delete a read-only file).
    for (auto it = std::filesystem::recursive_directory_iterator(path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_symlink(ignored)) continue;
        const auto access = it->is_directory(ignored) ? std::filesystem::perms::owner_all
                                                      : std::filesystem::perms::owner_write;
        std::filesystem::permissions(it->path(), access, std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path, ignored);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace larkholm::testing
