// Demo stand-in for the .NET Framework 4.0 installer (dotNetFx40_Full_x86_x64.exe): writes the
// registry values the real one leaves, the ones the wizard's check reads. The key is opened without a
// view flag, so this program writes its own registry view, where the wizard (built alike) reads: for
// the 32-bit programs on 64-bit Windows, below Wow6432Node. Exit code 0 once both values are written.
#include <wchar.h>
#include <windows.h>

#include "StartRecord.h"

static const wchar_t kClientKey[] = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client";
static const wchar_t kVersion[] = L"4.0.30319";

int main(void) {
    RecordStart();
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kClientKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL,
                        &key, NULL) != ERROR_SUCCESS)
        return 1;
    const DWORD installed = 1;
    const DWORD versionBytes = (DWORD)((wcslen(kVersion) + 1) * sizeof(wchar_t));
    const BOOL written =
        RegSetValueExW(key, L"Install", 0, REG_DWORD, (const BYTE*)&installed, sizeof installed) ==
            ERROR_SUCCESS &&
        RegSetValueExW(key, L"Version", 0, REG_SZ, (const BYTE*)kVersion, versionBytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written ? 0 : 2;
}
