#include "dui/include/core/SObjDefAttr.h"

#include "dui/include/core/SStringUtil.h"
#include "dui/include/core/SXml.h"

void SObjDefAttr::Init(pugi::xml_node objAttrNode) {
    for (pugi::xml_node element : objAttrNode.children())
        if (element.type() == pugi::node_element)
            defaults[ToLowerAscii(XmlText(element.name()))] = doc.append_copy(element);
}

pugi::xml_node SObjDefAttr::GetDefAttribute(std::wstring_view className) const {
    auto it = defaults.find(ToLowerAscii(className));
    return it == defaults.end() ? pugi::xml_node() : it->second;
}
