#include "support/LogFile.h"

#include <cstdint>
#include <mutex>

#include "support/Log.h"
#include "support/WideFormat.h"
#include "support/platform/OutputFile.h"

namespace {

// One writer at a time, so that texts of different threads never interleave in the file.
std::mutex fileMutex;
OutputFile file;
std::wstring filePath;

}  // namespace

bool StartLogFile(const std::wstring& path) {
    std::uint32_t error = 0;
    OutputFile opened = OutputFile::OpenForAppend(path, error);
    const bool started = opened.IsOpen();
    {
        std::lock_guard lock(fileMutex);
        file = std::move(opened);
        filePath = started ? path : std::wstring();
    }
    // Said outside the lock: the line itself passes through CopyToLogFile.
    if (!started) {
        Log(WideFormat(
            L"Log file %ls cannot be written (error %u); diagnostic lines go to the debugger output only",
            path.c_str(), unsigned(error)));
    }
    return started;
}

void StopLogFile() {
    std::lock_guard lock(fileMutex);
    file = OutputFile();
    filePath.clear();
}

std::wstring LogFilePath() {
    std::lock_guard lock(fileMutex);
    return filePath;
}

void CopyToLogFile(std::string_view text) {
    std::lock_guard lock(fileMutex);
    // A failed write (disk full) loses this text in the file only; the debugger output has it.
    if (file.IsOpen()) file.Write(text.data(), text.size());
}
