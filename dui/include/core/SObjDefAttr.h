// Default attributes per element name (the UI definition's "objattr" section): applied to every
// window of that class when the factory makes it, before the element's own attributes.
#pragma once

#include <map>
#include <pugixml.hpp>
#include <string>
#include <string_view>

class SObjDefAttr {
public:
    void Init(pugi::xml_node objAttrNode);
    // An empty node when the class has no defaults; the name compares without regard to case.
    pugi::xml_node GetDefAttribute(std::wstring_view className) const;
    bool IsEmpty() const { return defaults.empty(); }

private:
    pugi::xml_document doc;
    std::map<std::wstring, pugi::xml_node, std::less<>> defaults;
};
