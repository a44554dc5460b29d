// Judgements on path *texts*. They accept both "\" and "/" so that Windows-style text typed by an
// operator or sent by a server is judged the same on every platform. Paths the program builds use
// kPathSeparator, the native separator.
#pragma once

#include <string>
#include <string_view>

#include "support/platform/PathSeparator.h"

template <typename Char>
constexpr bool IsPathSeparator(Char c) {
    return c == Char('\\') || c == Char('/');
}

// True for "/", "\", a drive root with or without its separator ("C:\", "C:/", "C:") and a network
// share root ("\\server", "\\server\share", with either separator and an optional trailing one).
bool IsRootPath(const wchar_t* path);
inline bool IsRootPath(const std::wstring& path) {
    return IsRootPath(path.c_str());
}

// Removes one trailing "\" or "/" when the text is not empty.
void StripTrailingSeparator(std::wstring& path);
void StripTrailingSeparator(std::string& path);

// The text with every "\" and "/" turned into the native separator.
std::string NativeSeparators(std::string path);

// One path component as every platform stores it: not empty, not "." or "..", and free of "\", "/"
// and NUL (a separator would lead into another folder, a NUL would cut the name short).
bool IsPlainName(std::string_view name);

// The text before the last "\" or "/": "C:\Apps\setup.exe" → "C:\Apps", "C:\setup.exe" → "C:".
// Empty when the text has no separator, or only a leading one ("/opt" → "").
std::wstring ParentFolder(const std::wstring& path);

// The text after the last "\" or "/"; the whole text when it has no separator.
std::wstring FileNamePart(const std::wstring& path);

// True when `path` lies inside `folder`: it starts with `folder`, then a separator, then more.
bool IsInsideFolder(std::wstring_view path, std::wstring_view folder);
bool IsInsideFolder(std::string_view path, std::string_view folder);

// `folder` + native separator + `name`.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
std::string JoinPath(const std::string& folder, const std::string& name);
