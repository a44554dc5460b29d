// hold-file FILE MILLISECONDS SIGNALS: holds FILE the way a running program or a virus scanner
// does, open with reading shared and neither writing nor deleting, so that no other program may
// replace it meanwhile. Once it holds the file it creates SIGNALS\held; it lets go when
// MILLISECONDS have passed or SIGNALS\release appears, and then removes SIGNALS\held.
// Exit codes: 0 held and let go, 1 FILE could not be opened, 2 bad arguments.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count != 4) return 2;
    const std::wstring file = arguments[1];
    const DWORD holdMs = DWORD(std::wcstoul(arguments[2], nullptr, 10));
    const std::wstring signals = arguments[3];
    ::LocalFree(arguments);

    const HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    const std::wstring heldSignal = signals + L"\\held";
    ::CloseHandle(::CreateFileW(heldSignal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < holdMs && !Exists(signals + L"\\release")) ::Sleep(10);
    ::CloseHandle(held);
    ::DeleteFileW(heldSignal.c_str());
    return 0;
}
