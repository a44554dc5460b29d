#include "dui/include/core/SStylePool.h"

#include "dui/include/core/SStringUtil.h"
#include "dui/include/core/SXml.h"

int SStylePool::Init(pugi::xml_node styleNode) {
    int loaded = 0;
    for (pugi::xml_node cls : styleNode.children()) {
        if (cls.type() != pugi::node_element || !EqualsNoCase(cls.name(), "class")) continue;
        const pugi::xml_attribute nameAttr = XmlAttribute(cls, "name");
        if (!nameAttr) continue;
        pugi::xml_node copy = doc.append_copy(cls);
        const std::wstring className = XmlText(nameAttr.value());
        copy.remove_attribute(XmlAttribute(copy, "name"));
        styles[className] = copy;
        ++loaded;
    }
    return loaded;
}

pugi::xml_node SStylePool::GetStyle(std::wstring_view className) const {
    auto it = styles.find(className);
    return it == styles.end() ? pugi::xml_node() : it->second;
}

void SStylePoolMgr::PushStylePool(SStylePool* pool) {
    if (pool) pools.emplace_back(pool);
}

bool SStylePoolMgr::PopStylePool(SStylePool* pool) {
    for (auto it = pools.rbegin(); it != pools.rend(); ++it)
        if (it->get() == pool) {
            pools.erase(std::next(it).base());
            return true;
        }
    return false;
}

pugi::xml_node SStylePoolMgr::FindStyle(std::wstring_view className) const {
    for (auto it = pools.rbegin(); it != pools.rend(); ++it)
        if (pugi::xml_node style = (*it)->GetStyle(className)) return style;
    return {};
}
