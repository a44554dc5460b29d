// SUiDefInfo: one loaded UI definition (a "uidef" resource): the default font, the named string
// and colour tables, the skin and style pools it pushed, and the per-class default attributes.
// Made by SResProviderMgr::RegisterProvider with a uidef id and held by the application context
// as the current definition; its pools stay pushed until it is released. UI thread only.
//
// ResolveString and ResolveColor read the current definition of the current context.
#pragma once

#include <string>
#include <string_view>

#include "dui/include/core/SNamedValue.h"
#include "dui/include/core/SObjDefAttr.h"
#include "dui/include/core/SSkinPool.h"
#include "dui/include/core/SStylePool.h"

class IResProvider;

class SUiDefInfo : public SRefObject {
public:
    // An empty definition: size 12, charset 1, face "宋体", no tables.
    explicit SUiDefInfo(SAppContext& context);
    // Loads `uidefId` ("TYPE:NAME") from `provider`; failures leave what was loaded so far and
    // are logged ("warning!!!! uidef was not found in the specified resprovider", ...).
    SUiDefInfo(SAppContext& context, IResProvider* provider, const std::wstring& uidefId);
    ~SUiDefInfo() override;

    DWORD GetDefFontStyle() const { return defFontStyle; }
    const std::wstring& GetDefFontFace() const { return defFontFace; }
    const SNamedString& GetNamedString() const { return namedString; }
    const SNamedColor& GetNamedColor() const { return namedColor; }
    const SObjDefAttr& GetObjDefAttr() const { return objDefAttr; }
    SSkinPool* GetSkinPool() const { return skinPool.get(); }
    SStylePool* GetStylePool() const { return stylePool.get(); }

private:
    void Load(IResProvider* provider, const std::wstring& uidefId);
    void LoadFont(pugi::xml_node fontNode);
    void LoadSection(IResProvider* provider, pugi::xml_node uidef, const char* section);

    SAppContext& context;
    DWORD defFontStyle;
    std::wstring defFontFace;
    SNamedString namedString;
    SNamedColor namedColor;
    SObjDefAttr objDefAttr;
    SAutoRefPtr<SSkinPool> skinPool;
    SAutoRefPtr<SStylePool> stylePool;
};

// "@string/key" (exact, case-sensitive prefix) gives the table text (empty when unknown); any
// other text is returned as it is.
std::wstring ResolveString(std::wstring_view text);
// "@color/key" looks the colour table up (kInvalidColor when unknown); other texts go through
// ParseColor (kInvalidColor when they do not parse).
COLORREF ResolveColor(std::wstring_view text);
