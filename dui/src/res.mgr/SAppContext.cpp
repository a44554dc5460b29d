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

bool SAppContext::LoadXml(pugi::xml_document& doc, std::wstring_view name, std::wstring_view type) {
    std::string bytes;
    return resProviderMgr.ReadResource(type, name, bytes) && ParseXml(doc, bytes.data(), bytes.size());
}

bool SAppContext::LoadXmlById(pugi::xml_document& doc, std::wstring_view resId) {
    std::wstring type, name;
    if (SplitResId(resId, type, name) == 1) {
        name = std::move(type);
        type = L"LAYOUT";
    }
    return LoadXml(doc, name, type);
}

int SAppContext::LoadSystemResources(IResProvider* provider) {
    resProviderMgr.RegisterProvider(provider);
    // Copies the `root` element of XML resource `name` into `target`; false when either is missing.
    auto load = [this](const wchar_t* name, const char* root, pugi::xml_document& target) {
        pugi::xml_document doc;
        target.reset();
        const pugi::xml_node element = LoadXml(doc, name, L"XML") ? XmlChild(doc, root) : pugi::xml_node();
        if (element) target.append_copy(element).set_name(root);
        return static_cast<bool>(element);
    };
    int missing = 0;
    pugi::xml_document skins;
    if (load(L"SYS_XML_SKIN", "skin", skins))
        skinPoolMgr.GetSystemSkinPool().LoadSkins(skins.first_child(), *this);
    else
        missing |= kSysResSkinMissing;
    if (!load(L"SYS_XML_EDITMENU", "editmenu", editMenu)) missing |= kSysResEditMenuMissing;
    if (!load(L"SYS_XML_MSGBOX", "DUI", msgBox)) missing |= kSysResMsgBoxMissing;
    resProviderMgr.UnregisterProvider(provider);
    return missing;
}
