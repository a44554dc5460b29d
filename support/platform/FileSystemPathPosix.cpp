#include "support/platform/FileSystemPath.h"

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return utf8;
}
std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.string();
}

std::FILE* OpenCFile(const std::string& utf8Path, const char* mode) {
    return std::fopen(utf8Path.c_str(), mode);
}
