// The program's arguments after its own name, as wide text. `argc` and `argv` are what main
// received. Windows reads its wide command line instead (GetCommandLineW, CommandLineToArgvW), so
// an argument outside the ANSI code page, a Chinese log path for one, arrives whole; elsewhere the
// arguments are converted from the ANSI code page (UTF-8).
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring> ProgramArguments(int argc, const char* const argv[]);
