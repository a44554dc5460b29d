#include "dui/include/core/SAppContext.h"

#include "dui/include/core/SXml.h"

namespace {
SAppContext* current = nullptr;
}

SAppContext::SAppContext(IRenderFactory* renderFactory)
    : renderFactory(renderFactory),
      previous(current),
      objectFactory(*this),
      fontPool(*this),
      uiDef(MakeRef<SUiDefInfo>(*this)),
      resProviderMgr(*this) {
    current = this;
}

SAppContext::~SAppContext() {
    // Providers first (a uidef they made may still be current), then the UI definition, so its
    // pools leave the managers while those still exist.
    resProviderMgr.Clear();
    uiDef.Reset();
    if (current == this) current = previous;
}

SAppContext* SAppContext::Current() {
    return current;
}

void SAppContext::SetUiDef(SAutoRefPtr<SUiDefInfo> info) {
    if (info) uiDef = std::move(info);
}

bool SAppContext::LoadXml(pugi::xml_document& doc, std::wstring_view name, std::wstring_view type,
                          IResProvider* provider) {
    std::string bytes;
    if (!provider) {
        if (!resProviderMgr.ReadResource(type, name, bytes)) return false;
    } else {
        const std::size_t size = provider->ResourceSize(type, name);
        if (size == 0) return false;
        bytes.resize(size);
        if (!provider->ReadResource(type, name, bytes.data(), bytes.size())) return false;
    }
    return ParseXml(doc, bytes.data(), bytes.size());
}

bool SAppContext::LoadXmlById(pugi::xml_document& doc, std::wstring_view resId) {
    std::wstring type, name;
    return SplitResId(resId, type, name) == 2 && LoadXml(doc, name, type);
}

int SAppContext::LoadSystemResources(IResProvider* provider) {
    resProviderMgr.RegisterProvider(provider);
    int missing = 0;
    pugi::xml_document skins;
    pugi::xml_node skinNode;
    if (LoadXml(skins, L"SYS_XML_SKIN", L"XML") && (skinNode = XmlChild(skins, "skin")))
        skinPoolMgr.GetSystemSkinPool().LoadSkins(skinNode, *this);
    else
        missing |= kSysResSkinMissing;

    pugi::xml_document menu;
    pugi::xml_node menuNode;
    editMenu.reset();
    if (LoadXml(menu, L"SYS_XML_EDITMENU", L"XML") && (menuNode = XmlChild(menu, "editmenu")))
        editMenu.append_copy(menuNode).set_name("editmenu");
    else
        missing |= kSysResEditMenuMissing;

    pugi::xml_document box;
    pugi::xml_node boxNode;
    msgBox.reset();
    if (LoadXml(box, L"SYS_XML_MSGBOX", L"XML") && (boxNode = XmlChild(box, "DUI")))
        msgBox.append_copy(boxNode);
    else
        missing |= kSysResMsgBoxMissing;

    resProviderMgr.UnregisterProvider(provider);
    return missing;
}
