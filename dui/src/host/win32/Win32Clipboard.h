// The system clipboard's Unicode text (CF_UNICODETEXT), read and written on behalf of `owner`.
// The clipboard is one for the whole desktop: when another program holds it open, a read gives
// nothing and a write does nothing. UI thread only.
#pragma once

#include <windows.h>

#include <string>

// The clipboard's text up to its first NUL; empty when it holds none.
std::wstring ReadClipboardText(HWND owner);
// Replaces the clipboard's content with `text`; false when the clipboard could not be had.
bool WriteClipboardText(HWND owner, const std::wstring& text);
