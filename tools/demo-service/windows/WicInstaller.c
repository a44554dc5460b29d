// Demo stand-in for the Windows Imaging Component installer (wic_x86_chs.exe): writes the
// WindowsCodecs.dll it carries as a resource into the system folder, where the wizard's check looks.
// It is built like the wizard, so its system folder is the one the wizard sees (SysWOW64 for the
// 32-bit programs on 64-bit Windows). A system that already has the file keeps its own. Exit code 0
// once the file is there.
#include <wchar.h>
#include <windows.h>

#include "StartRecord.h"

static const wchar_t kLibraryName[] = L"\\WindowsCodecs.dll";

// The DLL's bytes: resource 1 of type RCDATA, linked in by the build.
static BOOL FindPayload(const void** bytes, DWORD* size) {
    HRSRC resource = FindResourceW(NULL, MAKEINTRESOURCEW(1), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(NULL, resource) : NULL;
    *bytes = loaded ? LockResource(loaded) : NULL;
    *size = resource ? SizeofResource(NULL, resource) : 0;
    return *bytes != NULL && *size > 0;
}

static BOOL WritePayload(const wchar_t* path, const void* bytes, DWORD size) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    DWORD written = 0;
    const BOOL complete = WriteFile(file, bytes, size, &written, NULL) && written == size;
    CloseHandle(file);
    if (!complete) DeleteFileW(path);
    return complete;
}

int main(void) {
    RecordStart();
    wchar_t path[MAX_PATH];
    const UINT folderLength = GetSystemDirectoryW(path, MAX_PATH);
    if (folderLength == 0 || folderLength + wcslen(kLibraryName) >= MAX_PATH) return 1;
    wcscat(path, kLibraryName);
    const void* bytes = NULL;
    DWORD size = 0;
    if (!FindPayload(&bytes, &size)) return 2;
    return WritePayload(path, bytes, size) ? 0 : 3;
}
