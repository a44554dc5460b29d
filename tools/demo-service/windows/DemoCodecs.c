// The WindowsCodecs.dll that the demo WIC installer puts in place: a real DLL that loads and holds
// no codecs. It stands for the file the real installer brings; the wizard only checks that it is
// there.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
