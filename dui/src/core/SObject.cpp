#include "dui/include/core/SObject.h"

#include "dui/include/core/SXml.h"

bool SObject::InitFromXml(pugi::xml_node node) {
    for (pugi::xml_attribute attr : node.attributes())
        ApplyAttribute(XmlText(attr.name()), XmlText(attr.value()), true);
    OnInitFinished(node);
    return true;
}
