// SResProviderFiles: resources kept as files in a folder, listed by the folder's "index" file in
// the respack format ("TYPE NAME file" per line). Look-ups ignore the case of type and name; files
// are read when asked for, never cached.
#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>

#include "dui/src/res.mgr/SResProviderBase.h"

class SResProviderFiles : public SResProviderBase {
public:
    // `source` is the folder; 0 when its index cannot be read or has a malformed line.
    int Init(const std::wstring& source) override;
    bool ContainsResource(std::wstring_view type, std::wstring_view name) override;
    std::size_t ResourceSize(std::wstring_view type, std::wstring_view name) override;
    bool ReadResource(std::wstring_view type, std::wstring_view name, void* buffer,
                      std::size_t capacity) override;

private:
    const std::filesystem::path* Find(std::wstring_view type, std::wstring_view name) const;

    std::unordered_map<std::string, std::filesystem::path> files;
};
