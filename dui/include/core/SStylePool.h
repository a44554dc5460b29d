// Style classes: a pool maps a class name to the attribute set of a <class name="..."> element of
// a "style" section (the "name" attribute itself removed). The manager searches the pushed pools
// from the newest to the oldest. Pools are reference-counted; UI thread only.
#pragma once

#include <map>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "dui/include/core/SObjRef.h"

class SStylePool : public SRefObject {
public:
    // Loads every <class> child with a "name"; returns how many.
    int Init(pugi::xml_node styleNode);
    // An empty node when the pool has no such class.
    pugi::xml_node GetStyle(std::wstring_view className) const;
    bool IsEmpty() const { return styles.empty(); }

private:
    pugi::xml_document doc;
    std::map<std::wstring, pugi::xml_node, std::less<>> styles;
};

class SStylePoolMgr {
public:
    void PushStylePool(SStylePool* pool);
    // Removes `pool` (the newest occurrence); false when it was not pushed.
    bool PopStylePool(SStylePool* pool);
    pugi::xml_node FindStyle(std::wstring_view className) const;

private:
    std::vector<SAutoRefPtr<SStylePool>> pools;
};
