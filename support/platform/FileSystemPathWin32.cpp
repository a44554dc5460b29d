#include <stdio.h>

#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return Utf8ToWide(utf8);
}
std::filesystem::path PathFromWide(const std::wstring& wide) {
    return wide;
}
std::string Utf8FromPath(const std::filesystem::path& path) {
    return WideToUtf8(path.native());
}

std::FILE* OpenCFile(const std::string& utf8Path, const char* mode) {
    return ::_wfopen(Utf8ToWide(utf8Path).c_str(), Utf8ToWide(mode).c_str());
}
