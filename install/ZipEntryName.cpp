#include "install/ZipEntryName.h"

#include "support/PathText.h"

namespace {

bool DropDrivePrefix(std::wstring& name) {
    if (name.size() < 2 || name[1] != L':') return false;
    name.erase(0, 2);
    return true;
}

bool DropLeadingSeparator(std::wstring& name) {
    if (name.empty() || !IsPathSeparator(name[0])) return false;
    name.erase(0, 1);
    return true;
}

bool CutThroughParentStep(std::wstring& name) {
    for (const wchar_t* step : {L"\\..\\", L"\\../", L"/../", L"/..\\"}) {
        const std::size_t at = name.find(step);
        if (at == std::wstring::npos) continue;
        name.erase(0, at + 4);
        return true;
    }
    return false;
}

}  // namespace

std::wstring SanitiseEntryName(std::wstring name) {
    while (DropDrivePrefix(name) || DropLeadingSeparator(name) || CutThroughParentStep(name)) {
    }
    return name;
}

std::vector<std::wstring> SplitPathComponents(std::wstring_view path) {
    std::vector<std::wstring> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsPathSeparator(path[i])) continue;
        if (i > start) components.emplace_back(path.substr(start, i - start));
        start = i + 1;
    }
    return components;
}

std::optional<std::vector<std::wstring>> ResolveEntryName(std::wstring_view name) {
    std::vector<std::wstring> resolved;
    for (std::wstring& component : SplitPathComponents(name)) {
        if (component == L".") continue;
        if (component == L"..") {
            if (resolved.empty()) return std::nullopt;
            resolved.pop_back();
            continue;
        }
        resolved.push_back(std::move(component));
    }
    return resolved;
}
