#include <windows.h>
// Needs what <windows.h> defines, so it stays after it.
#include <shlobj.h>

#include <vector>

#include "support/platform/WindowsView.h"

namespace {

std::wstring SpecialFolder(int csidl) {
    PIDLIST_ABSOLUTE location = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &location))) return {};
    wchar_t path[MAX_PATH] = {};
    const bool found = ::SHGetPathFromIDListW(location, path) != FALSE;
    ::CoTaskMemFree(location);
    return found ? std::wstring(path) : std::wstring();
}

// The machine key opened for reading, in the caller's own registry view; closed on destruction.
class MachineKey {
public:
    explicit MachineKey(const std::wstring& keyPath) {
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            key = nullptr;
    }
    ~MachineKey() {
        if (key != nullptr) ::RegCloseKey(key);
    }
    MachineKey(const MachineKey&) = delete;
    MachineKey& operator=(const MachineKey&) = delete;

    bool IsOpen() const { return key != nullptr; }

    // The value's text without its terminating NULs; nullopt for a missing or non-text value.
    // A value may change between the size query and the read, so a grown one is asked again.
    std::optional<std::wstring> ReadText(const std::wstring& valueName) const {
        DWORD type = 0;
        DWORD bytes = 0;
        LSTATUS status = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &bytes);
        std::vector<wchar_t> buffer;
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
            // A stored text need not end in a NUL nor hold whole units; the extra unit covers both.
            buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
            DWORD capacity = DWORD(buffer.size() * sizeof(wchar_t));
            status = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(buffer.data()), &capacity);
            if (status == ERROR_SUCCESS) {
                if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
                std::wstring text(buffer.data(), capacity / sizeof(wchar_t));
                while (!text.empty() && text.back() == L'\0') text.pop_back();
                return text;
            }
            bytes = capacity;
        }
        return std::nullopt;
    }

private:
    HKEY key = nullptr;
};

}  // namespace

std::string MapWindowsPath(const std::string& path) {
    return path;
}

// The file system matches names without regard to case, so every spelling opens the existing file.
std::string ExistingSpelling(const std::string& path) {
    return path;
}

std::wstring CommonAppDataFolder() {
    return SpecialFolder(CSIDL_COMMON_APPDATA);
}
std::wstring ProgramFilesFolder() {
    return SpecialFolder(CSIDL_PROGRAM_FILES);
}

bool HklmKeyExists(const std::wstring& keyPath) {
    return MachineKey(keyPath).IsOpen();
}

std::optional<std::wstring> ReadHklmString(const std::wstring& keyPath, const std::wstring& valueName) {
    const MachineKey key(keyPath);
    if (!key.IsOpen()) return std::nullopt;
    return key.ReadText(valueName);
}

bool WriteMachineKey(const std::wstring& keyPath, const std::vector<RegistryValue>& values) {
    // The key is made anew, so values of an earlier installation that this one lacks do not stay.
    DeleteMachineKey(keyPath);
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const RegistryValue& value : values) {
        LONG result;
        if (value.kind == RegistryValue::Kind::kNumber) {
            const DWORD number = value.number;
            result = ::RegSetValueExW(key, value.name.c_str(), 0, REG_DWORD,
                                      reinterpret_cast<const BYTE*>(&number), sizeof number);
        } else {
            result = ::RegSetValueExW(key, value.name.c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.text.c_str()),
                                      DWORD((value.text.size() + 1) * sizeof(wchar_t)));
        }
        written = written && result == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return written;
}

std::optional<std::wstring> ReadMachineText(const std::wstring& keyPath, const std::wstring& name) {
    return ReadHklmString(keyPath, name);
}

bool DeleteMachineKey(const std::wstring& keyPath) {
    const LONG result = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
