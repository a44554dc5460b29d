#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "support/TextConvert.h"
#include "support/platform/OutputFile.h"

namespace {

// Windows file times count 100 ns steps from 1601-01-01; Unix time counts seconds from 1970-01-01.
constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000;
constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;

timespec ToTimespec(std::uint64_t fileTime) {
    const std::int64_t sinceUnixEpoch = std::int64_t(fileTime) - kUnixEpochAsFileTime;
    std::int64_t seconds = sinceUnixEpoch / kFileTimeTicksPerSecond;
    std::int64_t ticks = sinceUnixEpoch % kFileTimeTicksPerSecond;
    if (ticks < 0) {  // keep the nanoseconds positive for times before 1970
        ticks += kFileTimeTicksPerSecond;
        --seconds;
    }
    timespec result{};
    result.tv_sec = time_t(seconds);
    result.tv_nsec = long(ticks * 100);
    return result;
}

}  // namespace

OutputFile OutputFile::OpenForAppend(const std::wstring& path, std::uint32_t& error) {
    OutputFile file(::open(WideToAnsi(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    error = file.IsOpen() ? 0 : std::uint32_t(errno);
    return file;
}

OutputFile::~OutputFile() {
    if (handle != kNoHandle) ::close(int(handle));
}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle(std::exchange(other.handle, kNoHandle)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        if (handle != kNoHandle) ::close(int(handle));
        handle = std::exchange(other.handle, kNoHandle);
    }
    return *this;
}

bool OutputFile::Write(const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(int(handle), next, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        next += written;
        size -= std::size_t(written);
    }
    return true;
}

bool OutputFile::SetTimes(std::uint64_t lastAccess, std::uint64_t lastWrite) {
    const timespec times[2] = {ToTimespec(lastAccess), ToTimespec(lastWrite)};
    return ::futimens(int(handle), times) == 0;
}

bool OutputFile::Close() {
    if (handle == kNoHandle) return false;
    return ::close(int(std::exchange(handle, kNoHandle))) == 0;
}
