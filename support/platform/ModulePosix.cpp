#include <limits.h>
#include <unistd.h>

#include <cerrno>

#include "support/TextConvert.h"
#include "support/platform/Module.h"

std::uint32_t ModulePath(std::wstring& path) {
    char link[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", link, sizeof link - 1);
    if (n <= 0) return errno != 0 ? std::uint32_t(errno) : 1u;
    path = AnsiToWide(std::string(link, size_t(n)));
    return 0;
}

std::uint32_t ModuleDirectory(std::wstring& folder) {
    std::wstring path;
    if (const std::uint32_t code = ModulePath(path); code != 0) return code;
    std::string text = WideToAnsi(path);
    const size_t cut = text.find_last_of("\\/");
    // An executable in "/" lives in the root itself, which keeps its one separator.
    text.erase(cut == std::string::npos ? 0 : cut == 0 ? 1 : cut);
    folder = AnsiToWide(text);
    return 0;
}

bool SetCurrentFolder(const std::wstring& folder) {
    return ::chdir(WideToAnsi(folder).c_str()) == 0;
}

void LoadSystemLibrariesOnly() {}
