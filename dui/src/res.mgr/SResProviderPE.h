// SResProviderPE: the resources compiled into the running program (every package respack made
// and the build linked in). Init("") binds it to this program; look-ups ignore the case of type
// and name. When two linked packages hold the same resource, the one linked first wins.
#pragma once

#include <string>
#include <unordered_map>

#include "dui/src/res.mgr/SResPackage.h"
#include "dui/src/res.mgr/SResProviderBase.h"

class SResProviderPE : public SResProviderBase {
public:
    // "" (this program) gives 1; a program has no other module to read on this platform.
    int Init(const std::wstring& source) override;
    bool ContainsResource(std::wstring_view type, std::wstring_view name) override;
    std::size_t ResourceSize(std::wstring_view type, std::wstring_view name) override;
    bool ReadResource(std::wstring_view type, std::wstring_view name, void* buffer,
                      std::size_t capacity) override;

private:
    const SResPackageEntry* Find(std::wstring_view type, std::wstring_view name) const;

    std::unordered_map<std::string, const SResPackageEntry*> entries;
};
