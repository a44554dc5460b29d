#include "support/platform/FileSystemPath.h"

std::filesystem::path PathFromAnsi(const std::string& ansi) { return ansi; }
std::string AnsiFromPath(const std::filesystem::path& path) { return path.string(); }
