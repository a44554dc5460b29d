#include "dui/include/core/SSkinPool.h"

#include <limits>

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SXml.h"

int SSkinPool::LoadSkins(pugi::xml_node skinNode, SAppContext& context) {
    SSkinPoolMgr& mgr = context.GetSkinPoolMgr();
    mgr.PushSkinPool(this);
    int loaded = 0;
    for (pugi::xml_node element : skinNode.children()) {
        if (element.type() != pugi::node_element) continue;
        const std::wstring type = XmlText(element.name());
        const std::wstring name = XmlAttrText(element, "name");
        if (type.empty() || name.empty()) continue;
        SAutoRefPtr<ISkinObj> skin = context.GetObjectFactory().Create<ISkinObj>(type);
        if (!skin) continue;
        skin->SetName(name);
        skin->InitFromXml(element);
        AddSkin(skin.get());
        ++loaded;
    }
    mgr.PopSkinPool(this);
    return loaded;
}

ISkinObj* SSkinPool::GetSkin(std::wstring_view name, int scale) const {
    auto it = skins.find({std::wstring(name), scale});
    return it == skins.end() ? nullptr : it->second.get();
}

ISkinObj* SSkinPool::GetSkinForScale(std::wstring_view name, int scale) {
    if (ISkinObj* exact = GetSkin(name, scale)) return exact;
    // The table's own skin (at 100 % unless it says otherwise) is the one a variant is made from.
    ISkinObj* loaded = GetSkin(name, 100);
    if (loaded == nullptr) {
        const auto it = skins.lower_bound({std::wstring(name), std::numeric_limits<int>::min()});
        if (it == skins.end() || it->first.first != name) return nullptr;
        loaded = it->second.get();
    }
    SAutoRefPtr<ISkinObj> made = loaded->Scaled(scale);
    if (!made) return loaded;
    AddSkin(made.get());
    return made.get();
}

void SSkinPool::AddSkin(ISkinObj* skin) {
    if (skin) skins[{skin->GetName(), skin->GetScale()}] = SAutoRefPtr<ISkinObj>(skin);
}

SSkinPoolMgr::SSkinPoolMgr() : systemPool(MakeRef<SSkinPool>()) {
    pools.push_back(systemPool);
}

void SSkinPoolMgr::PushSkinPool(SSkinPool* pool) {
    if (pool) pools.emplace_back(pool);
}

bool SSkinPoolMgr::PopSkinPool(SSkinPool* pool) {
    for (auto it = pools.rbegin(); std::next(it) != pools.rend(); ++it)
        if (it->get() == pool) {
            pools.erase(std::next(it).base());
            return true;
        }
    return false;
}

ISkinObj* SSkinPoolMgr::FindSkin(std::wstring_view name, int scale) const {
    for (auto it = pools.rbegin(); it != pools.rend(); ++it)
        if (ISkinObj* skin = (*it)->GetSkinForScale(name, scale)) return skin;
    return nullptr;
}
