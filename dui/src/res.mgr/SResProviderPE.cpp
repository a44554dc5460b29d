#include "dui/src/res.mgr/SResProviderPE.h"

#include <cstring>

int SResProviderPE::Init(const std::wstring& source) {
    if (!source.empty()) return 0;
    entries.clear();
    // The registrars prepend, so the list runs from the last linked package to the first.
    for (const SResPackage* package = gLinkedResPackages; package; package = package->next)
        for (std::size_t i = 0; i < package->count; ++i) {
            const SResPackageEntry& e = package->entries[i];
            if (e.type) entries[ResKey(e.type, e.name)] = &e;
        }
    return 1;
}

const SResPackageEntry* SResProviderPE::Find(std::wstring_view type, std::wstring_view name) const {
    auto it = entries.find(ResKey(type, name));
    return it == entries.end() ? nullptr : it->second;
}

bool SResProviderPE::ContainsResource(std::wstring_view type, std::wstring_view name) {
    return Find(type, name) != nullptr;
}

std::size_t SResProviderPE::ResourceSize(std::wstring_view type, std::wstring_view name) {
    const SResPackageEntry* e = Find(type, name);
    return e ? e->size : 0;
}

bool SResProviderPE::ReadResource(std::wstring_view type, std::wstring_view name, void* buffer,
                                  std::size_t capacity) {
    const SResPackageEntry* e = Find(type, name);
    if (!e || e->size == 0) return false;
    if (capacity < e->size) {
        SetResLastError(kErrorInsufficientBuffer);
        return false;
    }
    std::memcpy(buffer, e->data, e->size);
    return true;
}
