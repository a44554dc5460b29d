// The system cursor for a cursor name of the framework's styles ("hand", "ibeam", "arrow", ...);
// the arrow for names it does not know. Shared cursors: never destroyed. Any thread.
#pragma once

#include <windows.h>

#include <string>

HCURSOR SystemCursorOf(const std::wstring& name);
