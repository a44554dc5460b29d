#include "tests/install/InstallRunFixtures.h"

#include <atomic>
#include <filesystem>

#include "tests/install/ZipFixtures.h"

namespace larkholm::testing {

bool MakePackage(const TempDir& scratch, const std::string& archive, const std::vector<PackageItem>& items,
                 const std::string& password) {
    static std::atomic<int> packages{0};
    const std::string stage = "package-stage-" + std::to_string(++packages);
    std::string names;
    for (const PackageItem& item : items) {
        if (item.name.ends_with('/')) {
            std::filesystem::create_directories(scratch.Path() / stage / item.name);
        } else {
            scratch.WriteFile(stage + "/" + item.name, item.content);
        }
        names += " " + ShellQuote(item.name);
    }
    std::error_code ignored;
    std::filesystem::remove(archive, ignored);  // zip would add to an existing archive
    std::filesystem::create_directories(std::filesystem::path(archive).parent_path(), ignored);
    return RunShell("cd " + ShellQuote((scratch.Path() / stage).string()) + " && zip -q -P " +
                    ShellQuote(password) + " " + ShellQuote(archive) + names);
}

}  // namespace larkholm::testing
