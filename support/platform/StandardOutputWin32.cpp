#include <windows.h>

#include "support/platform/StandardOutput.h"

void WriteStandardOutput(std::string_view text) {
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE console = INVALID_HANDLE_VALUE;
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        // Not redirected: the console of the command prompt that started us, if there is one.
        if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
        console = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        if (console == INVALID_HANDLE_VALUE) return;
        output = console;
    }
    while (!text.empty()) {
        DWORD written = 0;
        if (!::WriteFile(output, text.data(), DWORD(text.size()), &written, nullptr) || written == 0) break;
        text.remove_prefix(written);
    }
    if (console != INVALID_HANDLE_VALUE) ::CloseHandle(console);
}
