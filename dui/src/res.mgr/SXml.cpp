#include "dui/include/core/SXml.h"

#include "dui/include/core/SStringUtil.h"
#include "support/TextConvert.h"

bool ParseXml(pugi::xml_document& doc, const void* data, std::size_t size) {
    return static_cast<bool>(doc.load_buffer(data, size, pugi::parse_default, pugi::encoding_utf8));
}

pugi::xml_node XmlChild(pugi::xml_node node, std::string_view name) {
    for (pugi::xml_node child : node.children())
        if (child.type() == pugi::node_element && EqualsNoCase(child.name(), name)) return child;
    return {};
}

pugi::xml_attribute XmlAttribute(pugi::xml_node node, std::string_view name) {
    for (pugi::xml_attribute attr : node.attributes())
        if (EqualsNoCase(attr.name(), name)) return attr;
    return {};
}

std::wstring XmlAttrText(pugi::xml_node node, std::string_view name, const std::wstring& fallback) {
    const pugi::xml_attribute attr = XmlAttribute(node, name);
    return attr ? Utf8ToWide(attr.value()) : fallback;
}

std::wstring XmlText(const char* utf8) {
    return Utf8ToWide(utf8 ? utf8 : "");
}
