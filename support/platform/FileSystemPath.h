// std::filesystem paths and C streams from and to the narrow text the program passes paths around
// in, which is UTF-8 on every platform. On Linux that text is the path itself. On Windows it is
// converted to UTF-16 here, at the system's door, and never through the ANSI code page: the code
// page lacks most of the characters of our packages' names (Chinese names under an English locale,
// simplified characters under a Traditional Chinese one, emoji under any), and the C++ and C
// libraries of the Windows build would read narrow text as the ANSI code page or reject it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

std::filesystem::path PathFromUtf8(const std::string& utf8);
// A wide path (a path the operator typed, or one from the wide command line) as the system takes it.
std::filesystem::path PathFromWide(const std::wstring& wide);
std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen for a UTF-8 path; null when the file cannot be opened.
std::FILE* OpenCFile(const std::string& utf8Path, const char* mode);
