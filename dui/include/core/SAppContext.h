// SAppContext: what the window tree reads while it is built and drawn — the resource providers,
// the object factory, the name-id table, the current UI definition, the skin and style pool
// managers, the font pool and the render factory. The application object derives from it; tests
// make one directly (with or without a render factory). One context is current at a time: the
// latest constructed one that is still alive. UI thread, apart from resource reads.
#pragma once

#include <cstddef>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "dui/include/core/IRenderFactory.h"
#include "dui/include/core/SFontPool.h"
#include "dui/include/core/SNamedValue.h"
#include "dui/include/core/SObjectFactory.h"
#include "dui/include/core/SResProviderMgr.h"
#include "dui/include/core/SSkinPool.h"
#include "dui/include/core/SStylePool.h"
#include "dui/include/core/SUiDef.h"

// Result bits of LoadSystemResources.
constexpr int kSysResSkinMissing = 1;
constexpr int kSysResEditMenuMissing = 2;
constexpr int kSysResMsgBoxMissing = 4;

class SAppContext {
public:
    // `renderFactory` may be null: then pictures and fonts are absent but trees still build and
    // lay out (with explicit sizes).
    explicit SAppContext(IRenderFactory* renderFactory);
    virtual ~SAppContext();
    SAppContext(const SAppContext&) = delete;
    SAppContext& operator=(const SAppContext&) = delete;

    static SAppContext* Current();

    IRenderFactory* GetRenderFactory() const { return renderFactory; }
    SResProviderMgr& GetResProviderMgr() { return resProviderMgr; }
    SObjectFactoryMgr& GetObjectFactory() { return objectFactory; }
    SSkinPoolMgr& GetSkinPoolMgr() { return skinPoolMgr; }
    SStylePoolMgr& GetStylePoolMgr() { return stylePoolMgr; }
    SFontPool& GetFontPool() { return fontPool; }

    // The current UI definition (an empty one until a uidef is registered).
    SUiDefInfo& GetUiDef() { return *uiDef; }
    void SetUiDef(SAutoRefPtr<SUiDefInfo> info);

    // Parses resource (type, name) from the newest provider that has it; type "file" reads the
    // path `name`. False when absent or not XML.
    bool LoadXml(pugi::xml_document& doc, std::wstring_view name, std::wstring_view type);
    // "TYPE:NAME", or "NAME" of a LAYOUT resource (how layouts and includes name each other).
    bool LoadXmlById(pugi::xml_document& doc, std::wstring_view resId);

    // Reads the system package through `provider` (registered only meanwhile): the system skins,
    // the edit menu and the message-box template. Returns the kSysRes* bits of what is missing.
    int LoadSystemResources(IResProvider* provider);
    pugi::xml_node GetEditMenuTemplate() const { return editMenu.child("editmenu"); }
    pugi::xml_node GetMessageBoxTemplate() const { return msgBox.child("DUI"); }

    void SetNamedIdTable(const SNamedIdEntry* table, std::size_t count, bool sorted) {
        namedId.Init(table, count, sorted);
    }
    // 0 for an unknown name.
    int IdFromName(std::wstring_view name) const { return namedId.Get(name); }

private:
    IRenderFactory* renderFactory;
    SAppContext* previous;
    SSkinPoolMgr skinPoolMgr;
    SStylePoolMgr stylePoolMgr;
    SObjectFactoryMgr objectFactory;
    SFontPool fontPool;
    SNamedID namedId;
    SAutoRefPtr<SUiDefInfo> uiDef;
    pugi::xml_document editMenu;
    pugi::xml_document msgBox;
    // Last: providers (and the UI definition they made) go first on destruction.
    SResProviderMgr resProviderMgr;
};
