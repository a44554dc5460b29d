// A file being written: by extraction (created by ConfinedFolder::CreateChildFile, written front to
// back, stamped with its times and closed) or by the log (opened for appending). Move-only; the destructor
// closes a file still open (without reporting). One thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/platform/NativeHandle.h"

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `path` for appending, creating it when missing; every Write lands at the end of the
    // file, whoever else appends to it. On failure the file is not open and `error` holds the
    // platform's error code.
    static OutputFile OpenForAppend(const std::wstring& path, std::uint32_t& error);

    bool IsOpen() const { return handle != kNoHandle; }

    // Writes all of `data`; false when the file system refuses part of it (disk full, I/O error).
    bool Write(const void* data, std::size_t size);

    // Times are Windows file times (100 ns units since 1601-01-01 UTC). Only last access and last
    // write are set (POSIX files keep no creation time; on Windows it stays the moment of creation).
    bool SetTimes(std::uint64_t lastAccess, std::uint64_t lastWrite);

    // False when an error surfaced only on closing (some file systems report late write failures).
    bool Close();

private:
    friend class ConfinedFolder;
    explicit OutputFile(NativeHandle handle) : handle(handle) {}

    NativeHandle handle = kNoHandle;
};
