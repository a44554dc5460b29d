#include <windows.h>

#include "support/PathText.h"
#include "support/platform/TempFolder.h"

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring result(buffer, length <= MAX_PATH ? length : 0);
    StripTrailingSeparator(result);
    return result;
}
