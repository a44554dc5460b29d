#include "dui/src/res.mgr/SResProviderFiles.h"

#include <fstream>

#include "dui/src/res.mgr/SResIndex.h"
#include "support/TextConvert.h"

int SResProviderFiles::Init(const std::wstring& source) {
    const std::filesystem::path folder(WideToAnsi(source));
    std::ifstream index(folder / "index");
    if (!index) return 0;
    std::unordered_map<std::string, std::filesystem::path> found;
    std::string line;
    while (std::getline(index, line)) {
        SResIndexLine entry;
        switch (ParseResIndexLine(line, entry)) {
            case SResIndexParse::kNothing:
                break;
            case SResIndexParse::kMalformed:
                return 0;
            case SResIndexParse::kEntry:
                found.emplace(ResKey(entry.type, entry.name), folder / entry.file);
                break;
        }
    }
    files = std::move(found);
    return 1;
}

const std::filesystem::path* SResProviderFiles::Find(std::wstring_view type, std::wstring_view name) const {
    auto it = files.find(ResKey(type, name));
    return it == files.end() ? nullptr : &it->second;
}

bool SResProviderFiles::ContainsResource(std::wstring_view type, std::wstring_view name) {
    const std::filesystem::path* path = Find(type, name);
    std::error_code error;
    return path && std::filesystem::is_regular_file(*path, error);
}

std::size_t SResProviderFiles::ResourceSize(std::wstring_view type, std::wstring_view name) {
    const std::filesystem::path* path = Find(type, name);
    std::error_code error;
    const auto size = path ? std::filesystem::file_size(*path, error) : 0;
    return error ? 0 : static_cast<std::size_t>(size);
}

bool SResProviderFiles::ReadResource(std::wstring_view type, std::wstring_view name, void* buffer,
                                     std::size_t capacity) {
    const std::size_t size = ResourceSize(type, name);
    if (size == 0) return false;
    if (capacity < size) {
        SetResLastError(kErrorInsufficientBuffer);
        return false;
    }
    std::ifstream in(*Find(type, name), std::ios::binary);
    return in.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size)) &&
           in.gcount() == std::streamsize(size);
}
