#include "support/PathText.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsDriveLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// "\\server" or "\\server\share", each part non-empty, with at most one trailing separator.
bool IsShareRoot(std::wstring_view p) {
    if (p.size() < 2 || !IsPathSeparator(p[0]) || !IsPathSeparator(p[1])) return false;
    p.remove_prefix(2);
    if (p.empty()) return true;  // "\\" alone names the network root
    int parts = 0;
    size_t i = 0;
    while (i < p.size()) {
        const size_t start = i;
        while (i < p.size() && !IsPathSeparator(p[i])) ++i;
        if (i == start) return false;  // an empty part: "\\a\\b"
        ++parts;
        if (i < p.size()) ++i;  // step over the separator
    }
    return parts <= 2;
}

template <typename String>
void StripOne(String& path) {
    if (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
}

template <typename Char>
bool IsInside(std::basic_string_view<Char> path, std::basic_string_view<Char> folder) {
    return path.size() > folder.size() + 1 && path.substr(0, folder.size()) == folder &&
           IsPathSeparator(path[folder.size()]);
}

}  // namespace

bool IsRootPath(const wchar_t* path) {
    if (path == nullptr) return false;
    const std::wstring_view p(path);
    if (p.size() == 1) return IsPathSeparator(p[0]);
    if (p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == L':')
        return p.size() == 2 || (p.size() == 3 && IsPathSeparator(p[2]));
    return IsShareRoot(p);
}

void StripTrailingSeparator(std::wstring& path) {
    StripOne(path);
}
void StripTrailingSeparator(std::string& path) {
    StripOne(path);
}

std::string NativeSeparators(std::string path) {
    std::replace_if(path.begin(), path.end(), IsPathSeparator<char>, kPathSeparator);
    return path;
}

bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("\\/\0", 3)) == std::string_view::npos;
}

bool IsInsideFolder(std::wstring_view path, std::wstring_view folder) {
    return IsInside(path, folder);
}
bool IsInsideFolder(std::string_view path, std::string_view folder) {
    return IsInside(path, folder);
}

std::wstring ParentFolder(const std::wstring& path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    return folder + kWidePathSeparator + name;
}
std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + kPathSeparator + name;
}
