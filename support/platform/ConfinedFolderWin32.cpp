#include <windows.h>
#include <winternl.h>

#include <array>
#include <string_view>
#include <utility>

#include "support/InUseWait.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/ConfinedFolder.h"

namespace {

// Folders are opened to look up what is below them and to have their kind judged. They may be read
// and written by others meanwhile, but not renamed or deleted while extraction is in them, so a
// folder cannot be swapped for another under an open handle.
constexpr ACCESS_MASK kFolderAccess =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr ULONG kFolderSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr ULONG kAnySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::size_t kLongestName = 255;                     // NTFS's limit for one component
constexpr NTSTATUS kNameNotFound = NTSTATUS(0xC0000034);      // STATUS_OBJECT_NAME_NOT_FOUND
constexpr NTSTATUS kSharingViolation = NTSTATUS(0xC0000043);  // STATUS_SHARING_VIOLATION
// A deleted file whose name stays taken until the last program that had it open lets go.
constexpr NTSTATUS kDeletePending = NTSTATUS(0xC0000056);  // STATUS_DELETE_PENDING

enum class Removal { Removed, InUse, Refused };

HANDLE ToHandle(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}
NativeHandle ToNative(HANDLE handle) {
    return reinterpret_cast<NativeHandle>(handle);
}

wchar_t UpperAscii(wchar_t c) {
    return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c;
}

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

// Win32 opens a device, not a file, for these names with any extension ("nul.txt", "COM1.tar.gz")
// and with blanks before the extension ("CON .txt").
bool IsDeviceName(std::wstring_view name) {
    static constexpr std::array<std::wstring_view, 30> kDevices = {
        L"CON",       L"PRN",       L"AUX",  L"NUL",       L"CONIN$",    L"CONOUT$",  L"COM1", L"COM2",
        L"COM3",      L"COM4",      L"COM5", L"COM6",      L"COM7",      L"COM8",     L"COM9", L"COM\u00B9",
        L"COM\u00B2", L"COM\u00B3", L"LPT1", L"LPT2",      L"LPT3",      L"LPT4",     L"LPT5", L"LPT6",
        L"LPT7",      L"LPT8",      L"LPT9", L"LPT\u00B9", L"LPT\u00B2", L"LPT\u00B3"};
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    for (const std::wstring_view device : kDevices)
        if (EqualsIgnoringAsciiCase(base, device)) return true;
    return false;
}

// A name Windows stores as written: no device, no stream ("name:stream"), none of the characters
// Win32 refuses or rewrites, no trailing dot or blank (Win32 strips them, so the file would get
// another name than the archive gave, and one no Win32 program could open again).
bool IsStorableName(std::wstring_view name) {
    if (name.empty() || name.size() > kLongestName) return false;
    for (const wchar_t c : name)
        if (c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) return false;
    return name.back() != L'.' && name.back() != L' ' && !IsDeviceName(name);
}

bool IsAcceptedName(const std::string& name) {
    return IsPlainName(name) && IsStorableName(Utf8ToWide(name));
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// A root is a drive path ("C:\x") or a relative one ("x\y"); device ("\\?\", "\\.\"), UNC,
// root-relative ("\x") and drive-relative ("C:x") forms name another place than they seem to.
// Every component after the drive is "." or ".." or a storable name.
bool IsAcceptedRoot(std::wstring_view root) {
    if (root.empty() || IsPathSeparator(root[0])) return false;
    if (root.size() >= 2 && root[1] == L':') {
        if (!IsDriveLetter(root[0]) || root.size() < 3 || !IsPathSeparator(root[2])) return false;
        root.remove_prefix(3);
    }
    while (!root.empty()) {
        std::size_t end = 0;
        while (end < root.size() && !IsPathSeparator(root[end])) ++end;
        const std::wstring_view component = root.substr(0, end);
        if (component != L"." && component != L".." && !component.empty() && !IsStorableName(component))
            return false;
        root.remove_prefix(end < root.size() ? end + 1 : end);
    }
    return true;
}

DWORD AttributesOf(HANDLE handle) {
    FILE_BASIC_INFO basic{};
    return ::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)
               ? basic.FileAttributes
               : INVALID_FILE_ATTRIBUTES;
}

bool IsPlainFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Every missing level of `path`, from the first down.
bool CreateFolders(const std::wstring& path) {
    for (std::size_t end = path.find_first_of(L"\\/", 1);; end = path.find_first_of(L"\\/", end + 1)) {
        const std::wstring level = path.substr(0, end);
        if (!::CreateDirectoryW(level.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS &&
            !IsFolder(level))
            return false;
        if (end == std::wstring::npos) return true;
    }
}

// Opens `name` relative to the open folder `folder`, the way openat does on POSIX: the name is
// never parsed as a path and a reparse point (symbolic link, junction, mount point) is opened
// itself rather than followed. `handle` is set when the status is a success.
NTSTATUS OpenBelow(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG attributes,
                   ULONG sharing, ULONG disposition, ULONG options, HANDLE& handle) {
    UNICODE_STRING objectName{};
    objectName.Buffer = const_cast<PWSTR>(name.c_str());
    objectName.Length = objectName.MaximumLength = USHORT(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES object{};
    InitializeObjectAttributes(&object, &objectName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    return ::NtCreateFile(&handle, access | SYNCHRONIZE, &object, &io, nullptr, attributes, sharing,
                          disposition, options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT,
                          nullptr, 0);
}

// The path the system resolved `handle` to, without a trailing separator; empty when unknown.
std::wstring FinalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return {};
        const bool fits = length < path.size();
        path.resize(length);
        if (fits) break;
    }
    if (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
    return path;
}

// True when `entry` is the entry `name` right inside `folder`, and not an object reached another
// way: through a link whose reparse attribute the system does not show (Wine presents the Unix
// symbolic links of its drives as plain entries) or through another entry's short 8.3 name.
bool IsDirectChild(HANDLE folder, HANDLE entry, const std::wstring& name) {
    const std::wstring expected = FinalPath(folder) + L'\\' + name;
    const std::wstring actual = FinalPath(entry);
    return !actual.empty() && ::CompareStringOrdinal(expected.c_str(), int(expected.size()), actual.c_str(),
                                                     int(actual.size()), TRUE) == CSTR_EQUAL;
}

// Removes the entry `name` of `folder` unless it is a folder: the entry itself, never what a link
// points to. A read-only entry loses that attribute first, since Windows refuses to delete it.
// Removed when no such entry is left; InUse while another program has it open without letting it
// be deleted.
Removal RemoveNonFolder(HANDLE folder, const std::wstring& name) {
    HANDLE entry = nullptr;
    const NTSTATUS status = OpenBelow(folder, name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0,
                                      kAnySharing, FILE_OPEN, 0, entry);
    if (status == kNameNotFound) return Removal::Removed;
    if (status == kSharingViolation) return Removal::InUse;
    if (!NT_SUCCESS(status)) return Removal::Refused;
    FILE_BASIC_INFO basic{};
    bool removed = IsDirectChild(folder, entry, name) &&
                   ::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic) &&
                   !IsPlainFolder(basic.FileAttributes);
    if (removed && (basic.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
        basic.FileAttributes &= ~DWORD(FILE_ATTRIBUTE_READONLY);
        if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        removed = ::SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof basic) != FALSE;
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    removed =
        removed && ::SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition);
    ::CloseHandle(entry);
    return removed ? Removal::Removed : Removal::Refused;
}

}  // namespace

ConfinedFolder::~ConfinedFolder() {
    if (handle != kNoHandle) ::CloseHandle(ToHandle(handle));
}

ConfinedFolder::ConfinedFolder(ConfinedFolder&& other) noexcept
    : handle(std::exchange(other.handle, kNoHandle)) {}

ConfinedFolder& ConfinedFolder::operator=(ConfinedFolder&& other) noexcept {
    if (this != &other) {
        if (handle != kNoHandle) ::CloseHandle(ToHandle(handle));
        handle = std::exchange(other.handle, kNoHandle);
    }
    return *this;
}

ConfinedFolder ConfinedFolder::OpenRoot(const std::string& path) {
    if (path.find('\0') != std::string::npos) return ConfinedFolder();
    const std::wstring root = Utf8ToWide(path);
    if (!IsAcceptedRoot(root) || !CreateFolders(root)) return ConfinedFolder();
    const HANDLE folder = ::CreateFileW(root.c_str(), kFolderAccess, kFolderSharing, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return ConfinedFolder();
    const DWORD attributes = AttributesOf(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(folder);
        return ConfinedFolder();
    }
    return ConfinedFolder(ToNative(folder));
}

bool ConfinedFolder::EnterChild(const std::string& name) {
    if (!IsOpen() || !IsAcceptedName(name)) return false;
    // Opening and creating are one step; the kind is judged on the handle that was opened, so
    // nothing can be swapped in between.
    HANDLE child = nullptr;
    if (!NT_SUCCESS(OpenBelow(ToHandle(handle), Utf8ToWide(name), kFolderAccess, FILE_ATTRIBUTE_NORMAL,
                              kFolderSharing, FILE_OPEN_IF, FILE_DIRECTORY_FILE, child)))
        return false;
    if (!IsPlainFolder(AttributesOf(child)) || !IsDirectChild(ToHandle(handle), child, Utf8ToWide(name))) {
        ::CloseHandle(child);
        return false;
    }
    ::CloseHandle(ToHandle(std::exchange(handle, ToNative(child))));
    return true;
}

OutputFile ConfinedFolder::CreateChildFile(const std::string& name, FileAccess access) const {
    if (!IsOpen() || !IsAcceptedName(name)) return OutputFile();
    const std::wstring wide = Utf8ToWide(name);
    // Remove, then create only if absent: an entry that reappears in between fails the create
    // rather than being followed or truncated. A program holding the old file, or still holding a
    // deleted one whose name it keeps taken, is waited for a moment.
    Removal removal = Removal::Refused;
    StaysInUse([&] { return (removal = RemoveNonFolder(ToHandle(handle), wide)) == Removal::InUse; });
    if (removal != Removal::Removed) return OutputFile();
    const ULONG attributes = access == FileAccess::ReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    HANDLE file = nullptr;
    NTSTATUS created = 0;
    StaysInUse([&] {
        created = OpenBelow(ToHandle(handle), wide, GENERIC_WRITE | DELETE, attributes, FILE_SHARE_READ,
                            FILE_CREATE, FILE_NON_DIRECTORY_FILE, file);
        return created == kSharingViolation || created == kDeletePending;
    });
    if (!NT_SUCCESS(created)) return OutputFile();
    if (!IsDirectChild(ToHandle(handle), file, wide)) {
        // Created somewhere else than asked: take it back before anything is written.
        FILE_DISPOSITION_INFO disposition{TRUE};
        ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
        ::CloseHandle(file);
        return OutputFile();
    }
    return OutputFile(ToNative(file));
}
