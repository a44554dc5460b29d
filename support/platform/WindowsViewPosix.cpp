#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cwctype>
#include <fstream>
#include <sstream>

#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/WineHiveText.h"
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
    struct stat st {};
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

// `root` followed by each component of `rest` (either separator) in its existing spelling.
std::string SpellBelow(const std::string& root, std::string_view rest) {
    std::string spelled = root;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsPathSeparator(rest[i])) ++i;
        const std::size_t start = i;
        while (i < rest.size() && !IsPathSeparator(rest[i])) ++i;
        if (i == start) break;
        const std::string folder = spelled.empty() ? "." : spelled;
        if (!spelled.empty() && spelled.back() != '/') spelled += '/';
        spelled += MatchEntry(folder, std::string(rest.substr(start, i - start)));
    }
    return spelled;
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

std::string HivePath() {
    return WinePrefix() + "/system.reg";
}

bool ReadHive(std::string& text) {
    std::ifstream in(HivePath(), std::ios::binary);
    if (!in) return false;
    std::stringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

// Written beside the hive and renamed over it, so a reader never sees half a file.
bool ReplaceHive(const std::string& text) {
    const std::string path = HivePath();
    const std::string temporary = path + ".larkholm-new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.write(text.data(), std::streamsize(text.size())) || !out.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) ::chmod(temporary.c_str(), st.st_mode & 07777);
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

WineRegistry LoadMachineHive() {
    std::string text;
    ReadHive(text);
    return WineRegistry::Parse(text);
}

// "Software\X" → "Software\Wow6432Node\X"; empty when the key is not under Software.
std::wstring Wow64Twin(const std::wstring& keyPath) {
    constexpr std::wstring_view kSoftware = L"software\\";
    std::wstring lower = keyPath;
    for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (lower.compare(0, kSoftware.size(), kSoftware) != 0) return {};
    return keyPath.substr(0, kSoftware.size()) + L"Wow6432Node\\" + keyPath.substr(kSoftware.size());
}

// Where the 32-bit view keeps `keyPath` in this hive.
std::wstring ViewPath(const std::string& hive, const std::wstring& keyPath) {
    const std::wstring twin = IsHiveOf64BitPrefix(hive) ? Wow64Twin(keyPath) : std::wstring();
    return twin.empty() ? keyPath : twin;
}

}  // namespace

std::string MapWindowsPath(const std::string& path) {
    const bool hasDrive =
        path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    if (!hasDrive) return path;
    return SpellBelow(DriveRoot(path[0]), std::string_view(path).substr(2));
}

std::string ExistingSpelling(const std::string& path) {
    return !path.empty() && path[0] == '/' ? SpellBelow("/", std::string_view(path).substr(1))
                                           : SpellBelow("", path);
}

std::wstring CommonAppDataFolder() {
    return DriveCFolder("ProgramData");
}
std::wstring ProgramFilesFolder() {
    return DriveCFolder("Program Files");
}

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

bool WriteMachineKey(const std::wstring& keyPath, const std::vector<RegistryValue>& values) {
    std::string hive;
    if (!ReadHive(hive)) return false;
    return ReplaceHive(WithKey(hive, ViewPath(hive, keyPath), values, std::int64_t(std::time(nullptr))));
}

std::optional<std::wstring> ReadMachineText(const std::wstring& keyPath, const std::wstring& name) {
    std::string hive;
    if (!ReadHive(hive)) return std::nullopt;
    return WineRegistry::Parse(hive).ReadString(ViewPath(hive, keyPath), name);
}

bool DeleteMachineKey(const std::wstring& keyPath) {
    std::string hive;
    if (!ReadHive(hive)) return true;
    const std::string without = WithoutKey(hive, ViewPath(hive, keyPath));
    return without == hive || ReplaceHive(without);
}
