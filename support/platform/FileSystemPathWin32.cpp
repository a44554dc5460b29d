#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"

std::filesystem::path PathFromAnsi(const std::string& ansi) {
    return AnsiToWide(ansi);
}
std::filesystem::path PathFromWide(const std::wstring& wide) {
    return wide;
}
std::string AnsiFromPath(const std::filesystem::path& path) {
    return WideToAnsi(path.native());
}
