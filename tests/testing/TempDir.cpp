#include "tests/testing/TempDir.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <system_error>

namespace larkholm::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "larkholm-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests make folders read-only to provoke failures; give write access back so removal works.
    for (auto it = std::filesystem::recursive_directory_iterator(path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::WriteFile(const std::string& relativePath, const std::string& content) const {
    const auto full = path / relativePath;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace larkholm::testing
