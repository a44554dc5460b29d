#include <stdlib.h>

#include "support/TextConvert.h"
#include "support/platform/EnvironmentVariable.h"

std::optional<std::wstring> TakeEnvironmentVariable(const std::wstring& name) {
    const std::string narrow = WideToUtf8(name);
    const char* value = ::getenv(narrow.c_str());
    std::optional<std::wstring> taken;
    if (value != nullptr && *value != '\0') taken = Utf8ToWide(value);
    ::unsetenv(narrow.c_str());
    return taken;
}
