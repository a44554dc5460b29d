// pugixml helpers: parsing resource bytes with the library's default options as UTF-8, and the
// case-insensitive element and attribute look-ups the whole framework uses ("uidef" finds
// <UIDEF>). Attribute values come back as wide text.
#pragma once

#include <cstddef>
#include <pugixml.hpp>
#include <string>
#include <string_view>

bool ParseXml(pugi::xml_document& doc, const void* data, std::size_t size);
pugi::xml_node XmlChild(pugi::xml_node node, std::string_view name);
pugi::xml_attribute XmlAttribute(pugi::xml_node node, std::string_view name);
// The attribute's value as wide text; `fallback` when it is absent.
std::wstring XmlAttrText(pugi::xml_node node, std::string_view name, const std::wstring& fallback = {});
std::wstring XmlText(const char* utf8);
