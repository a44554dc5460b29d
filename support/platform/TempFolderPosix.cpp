#include <stdlib.h>

#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/TempFolder.h"

std::wstring TempFolder() {
    const char* folder = ::getenv("TMPDIR");
    if (folder == nullptr || *folder == '\0') return L"/tmp";
    std::wstring result = AnsiToWide(folder);
    if (result.size() > 1) StripTrailingSeparator(result);
    return result;
}
