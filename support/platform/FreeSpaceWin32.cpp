#include <windows.h>

#include "support/TextConvert.h"
#include "support/platform/FreeSpace.h"

std::optional<std::uint64_t> FreeBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(Utf8ToWide(folder).c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return std::uint64_t(available.QuadPart);
}
