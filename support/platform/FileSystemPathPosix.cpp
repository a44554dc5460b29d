#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"

std::filesystem::path PathFromAnsi(const std::string& ansi) {
    return ansi;
}
std::filesystem::path PathFromWide(const std::wstring& wide) {
    return WideToAnsi(wide);
}
std::string AnsiFromPath(const std::filesystem::path& path) {
    return path.string();
}
