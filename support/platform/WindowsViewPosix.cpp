#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <sstream>

#include "support/TextConvert.h"
#include "support/WineRegistry.h"
#include "support/platform/WindowsView.h"

namespace {

std::string WinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') return prefix;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw != nullptr ? pw->pw_dir : "";
    }
    return std::string(home) + "/.wine";
}

bool Exists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

std::wstring Lower(const std::string& s) {
    std::wstring w = Utf8ToWide(s);
    for (auto& c : w) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return w;
}

// The entry of `folder` whose name equals `name` without regard to case; `name` itself when
// the exact spelling exists or nothing matches.
std::string MatchEntry(const std::string& folder, const std::string& name) {
    if (Exists(folder + "/" + name)) return name;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return name;
    const std::wstring wanted = Lower(name);
    std::string found = name;
    while (dirent* entry = ::readdir(dir)) {
        if (Lower(entry->d_name) == wanted) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string DriveRoot(char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    const std::string prefix = WinePrefix();
    const std::string dosDevice = prefix + "/dosdevices/" + lower + ":";
    // Resolve the device link so paths shown to the operator read ".../drive_c/...".
    if (char* real = ::realpath(dosDevice.c_str(), nullptr)) {
        std::string resolved = real;
        std::free(real);
        return resolved;
    }
    return prefix + "/drive_" + lower;
}

std::wstring DriveCFolder(const char* name) {
    const std::string driveC = DriveRoot('c');
    if (!Exists(driveC)) return {};
    return Utf8ToWide(driveC + "/" + MatchEntry(driveC, name));
}

WineRegistry LoadMachineHive() {
    std::ifstream in(WinePrefix() + "/system.reg", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return WineRegistry::Parse(text.str());
}

// "Software\X" → "Software\Wow6432Node\X"; empty when the key is not under Software.
std::wstring Wow64Twin(const std::wstring& keyPath) {
    constexpr std::wstring_view kSoftware = L"software\\";
    std::wstring lower = keyPath;
    for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (lower.compare(0, kSoftware.size(), kSoftware) != 0) return {};
    return keyPath.substr(0, kSoftware.size()) + L"Wow6432Node\\" + keyPath.substr(kSoftware.size());
}

}  // namespace

std::string MapWindowsPath(const std::string& path) {
    const bool hasDrive = path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    if (!hasDrive) return path;
    std::string mapped = DriveRoot(path[0]);
    size_t i = 2;
    while (i < path.size()) {
        while (i < path.size() && (path[i] == '\\' || path[i] == '/')) ++i;
        const size_t start = i;
        while (i < path.size() && path[i] != '\\' && path[i] != '/') ++i;
        if (i == start) break;
        const std::string component = MatchEntry(mapped, path.substr(start, i - start));
        mapped += '/';
        mapped += component;
    }
    return mapped;
}

std::wstring CommonAppDataFolder() { return DriveCFolder("ProgramData"); }
std::wstring ProgramFilesFolder() { return DriveCFolder("Program Files"); }

bool HklmKeyExists(const std::wstring& keyPath) {
    const WineRegistry hive = LoadMachineHive();
    const std::wstring twin = Wow64Twin(keyPath);
    return hive.HasKey(keyPath) || (!twin.empty() && hive.HasKey(twin));
}

std::optional<std::wstring> ReadHklmString(const std::wstring& keyPath, const std::wstring& valueName) {
    const WineRegistry hive = LoadMachineHive();
    if (hive.HasKey(keyPath)) return hive.ReadString(keyPath, valueName);
    const std::wstring twin = Wow64Twin(keyPath);
    if (twin.empty()) return std::nullopt;
    return hive.ReadString(twin, valueName);
}
