#include <windows.h>
// Needs what <windows.h> defines, so it stays after it.
#include <shellapi.h>

#include "support/platform/CommandLine.h"

// main's narrow arguments have passed through the ANSI code page already, which loses what it
// cannot spell: the wide command line is parsed again instead.
std::vector<std::wstring> ProgramArguments(int, const char* const[]) {
    std::vector<std::wstring> arguments;
    int count = 0;
    wchar_t** parsed = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (parsed == nullptr) return arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(parsed[i]);
    ::LocalFree(parsed);
    return arguments;
}
