#include "support/TextConvert.h"
#include "support/platform/CommandLine.h"

std::vector<std::wstring> ProgramArguments(int argc, const char* const argv[]) {
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(AnsiToWide(argv[i]));
    return arguments;
}
