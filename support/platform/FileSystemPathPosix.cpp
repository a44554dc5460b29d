#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return utf8;
}
std::filesystem::path PathFromWide(const std::wstring& wide) {
    return WideToUtf8(wide);
}
std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.string();
}

std::FILE* OpenCFile(const std::string& utf8Path, const char* mode) {
    return std::fopen(utf8Path.c_str(), mode);
}
