#include <stdlib.h>
#include <windows.h>

#include <vector>

#include "support/platform/EnvironmentVariable.h"

std::optional<std::wstring> TakeEnvironmentVariable(const std::wstring& name) {
    std::optional<std::wstring> taken;
    const DWORD size = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size > 1) {
        std::vector<wchar_t> value(size);
        const DWORD length = ::GetEnvironmentVariableW(name.c_str(), value.data(), size);
        if (length > 0 && length < size) taken = std::wstring(value.data(), length);
    }
    // Both copies go: the system's block, which CreateProcess hands on, and the C library's.
    ::SetEnvironmentVariableW(name.c_str(), nullptr);
    ::_wputenv_s(name.c_str(), L"");
    return taken;
}
