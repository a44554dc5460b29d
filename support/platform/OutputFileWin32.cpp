#include <windows.h>

#include <utility>

#include "support/platform/OutputFile.h"

namespace {

HANDLE ToHandle(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

FILETIME ToFileTime(std::uint64_t time) {
    return FILETIME{DWORD(time), DWORD(time >> 32)};
}

constexpr std::size_t kLargestWrite = 1u << 30;  // WriteFile counts in a DWORD

}  // namespace

OutputFile OutputFile::OpenForAppend(const std::wstring& path, std::uint32_t& error) {
    // Append access alone makes every write go to the end, as O_APPEND does; readers (a support
    // engineer's editor) and other writers may keep the file open meanwhile.
    const HANDLE opened = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OutputFile file(reinterpret_cast<NativeHandle>(opened));
    error = file.IsOpen() ? 0 : std::uint32_t(::GetLastError());
    return file;
}

OutputFile::~OutputFile() {
    if (handle != kNoHandle) ::CloseHandle(ToHandle(handle));
}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle(std::exchange(other.handle, kNoHandle)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        if (handle != kNoHandle) ::CloseHandle(ToHandle(handle));
        handle = std::exchange(other.handle, kNoHandle);
    }
    return *this;
}

bool OutputFile::Write(const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(ToHandle(handle), next, DWORD(size < kLargestWrite ? size : kLargestWrite), &written,
                         nullptr) ||
            written == 0)
            return false;
        next += written;
        size -= written;
    }
    return true;
}

bool OutputFile::SetTimes(std::uint64_t lastAccess, std::uint64_t lastWrite) {
    const FILETIME access = ToFileTime(lastAccess);
    const FILETIME write = ToFileTime(lastWrite);
    return ::SetFileTime(ToHandle(handle), nullptr, &access, &write) != FALSE;
}

bool OutputFile::Close() {
    if (handle == kNoHandle) return false;
    return ::CloseHandle(ToHandle(std::exchange(handle, kNoHandle))) != FALSE;
}
