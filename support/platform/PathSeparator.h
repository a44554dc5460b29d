// The separator the file system of this platform uses between path components: "/" on Linux,
// "\" on Windows. Paths the program builds use it; judgements on path texts accept both.
#pragma once

extern const char kPathSeparator;
extern const wchar_t kWidePathSeparator;
