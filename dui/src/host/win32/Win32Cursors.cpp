#include "dui/src/host/win32/Win32Cursors.h"

#include <utility>

HCURSOR SystemCursorOf(const std::wstring& name) {
    static const std::pair<const wchar_t*, LPCSTR> kCursors[] = {
        {L"ibeam", IDC_IBEAM},       {L"hand", IDC_HAND},         {L"wait", IDC_WAIT},
        {L"cross", IDC_CROSS},       {L"uparrow", IDC_UPARROW},   {L"size", IDC_SIZEALL},
        {L"sizeall", IDC_SIZEALL},   {L"sizewe", IDC_SIZEWE},     {L"sizens", IDC_SIZENS},
        {L"sizenwse", IDC_SIZENWSE}, {L"sizenesw", IDC_SIZENESW}, {L"no", IDC_NO},
        {L"help", IDC_HELP}};
    LPCSTR id = IDC_ARROW;
    for (const auto& [word, cursor] : kCursors)
        if (name == word) id = cursor;
    // The system's cursor ids are numbers in the guise of names, the same for either character set.
    return ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(id));
}
