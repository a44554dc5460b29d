// Skin tables: a pool maps (skin name, scale) to a skin object made by the factory from one
// element of a "skin" section (element name = skin type, "name" attribute = skin name). The
// manager owns the system pool, searched last; later pools are pushed on top and searched first.
// Pools are reference-counted; UI thread only. A skin asked for at a scale the table did not load
// is made from the loaded one on first use and kept beside it.
#pragma once

#include <map>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dui/include/core/ISkinObj.h"

class SAppContext;

class SSkinPool : public SRefObject {
public:
    // Makes a skin of each child element whose type and name are not empty; unknown types are
    // skipped. The pool is pushed on the context's manager while loading so that skins can refer
    // to skins of the same table. Returns the number loaded.
    int LoadSkins(pugi::xml_node skinNode, SAppContext& context);
    ISkinObj* GetSkin(std::wstring_view name, int scale) const;
    // The skin at `scale`; when the pool has the name at another scale only, the variant that skin
    // makes for `scale` is kept and given (or the skin itself when it cannot make one). nullptr
    // when the pool lacks the name.
    ISkinObj* GetSkinForScale(std::wstring_view name, int scale);
    // Stores (or replaces) a skin under its name and scale.
    void AddSkin(ISkinObj* skin);
    bool IsEmpty() const { return skins.empty(); }
    std::size_t Count() const { return skins.size(); }

private:
    std::map<std::pair<std::wstring, int>, SAutoRefPtr<ISkinObj>> skins;
};

class SSkinPoolMgr {
public:
    SSkinPoolMgr();

    SSkinPool& GetSystemSkinPool() { return *systemPool; }
    void PushSkinPool(SSkinPool* pool);
    // Removes `pool` (the newest occurrence); the system pool is never removed.
    bool PopSkinPool(SSkinPool* pool);
    // Newest pool first, the system pool last; nullptr when none has it. A pool that has the skin
    // at another scale makes it for this one (SSkinPool::GetSkinForScale).
    ISkinObj* FindSkin(std::wstring_view name, int scale = 100) const;

private:
    SAutoRefPtr<SSkinPool> systemPool;
    std::vector<SAutoRefPtr<SSkinPool>> pools;  // pools[0] is the system pool
};
