// std::filesystem paths from and to the narrow text the program passes paths around in (the ANSI
// code page). The C++ library of the Windows build does not read narrow text as the ANSI code page,
// so a name outside ASCII ("D:\网吧\Ostrelle" on a Chinese system) would name another file there;
// Windows converts through wide text instead. On Linux the narrow text is the path itself.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path PathFromAnsi(const std::string& ansi);
// A wide path (a path the operator typed, or one from the wide command line) without a round trip
// through the ANSI code page on Windows.
std::filesystem::path PathFromWide(const std::wstring& wide);
std::string AnsiFromPath(const std::filesystem::path& path);
