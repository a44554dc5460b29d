#include "dui/include/core/SUiDef.h"

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SColor.h"
#include "dui/include/core/SFontPool.h"
#include "dui/include/core/SLog.h"
#include "dui/include/core/SXml.h"

namespace {

constexpr const wchar_t* kSource = L"src\\res.mgr\\SUiDef";
constexpr const wchar_t* kFallbackFace = L"宋体";
constexpr int kDefaultFontSize = 12;
constexpr int kDefaultCharset = 1;

void Warn(int line, const wchar_t* message) {
    SLogFormat(SLogLevel::kWarning, kSource, line, L"%ls", message);
}

// Reads (type, name) from `provider` itself, not from the manager.
bool ParseFromProvider(IResProvider* provider, const std::wstring& type, const std::wstring& name,
                       pugi::xml_document& doc, bool& found) {
    std::string bytes;
    found = ReadWholeResource(*provider, type, name, bytes);
    return found && ParseXml(doc, bytes.data(), bytes.size());
}

}  // namespace

SUiDefInfo::SUiDefInfo(SAppContext& context)
    : context(context),
      defFontStyle(FontStyle::Make(kDefaultFontSize, kDefaultCharset, false, false, false, false)),
      defFontFace(kFallbackFace) {}

SUiDefInfo::SUiDefInfo(SAppContext& context, IResProvider* provider, const std::wstring& uidefId)
    : SUiDefInfo(context) {
    Load(provider, uidefId);
}

SUiDefInfo::~SUiDefInfo() {
    if (skinPool) context.GetSkinPoolMgr().PopSkinPool(skinPool.get());
    if (stylePool) context.GetStylePoolMgr().PopStylePool(stylePool.get());
}

void SUiDefInfo::Load(IResProvider* provider, const std::wstring& uidefId) {
    std::wstring type, name;
    if (SplitResId(uidefId, type, name) != 2) {
        Warn(__LINE__, L"warning!!!! Add ResProvider Error.");
        type.clear();
        name.clear();
    }
    pugi::xml_document doc;
    bool found = false;
    const bool parsed = provider && ParseFromProvider(provider, type, name, doc, found);
    if (!found) {
        Warn(__LINE__, L"warning!!!! uidef was not found in the specified resprovider");
        return;
    }
    if (!parsed) {
        Warn(__LINE__, L"warning!!! load uidef as xml document failed");
        return;
    }
    const pugi::xml_node uidef = XmlChild(doc, "uidef");
    if (!uidef) {
        Warn(__LINE__, L"warning!!! \"uidef\" element is not the root element of uidef xml");
        return;
    }
    LoadFont(XmlChild(uidef, "font"));
    for (const char* section : {"string", "color", "skin", "style", "objattr"})
        LoadSection(provider, uidef, section);
}

void SUiDefInfo::LoadFont(pugi::xml_node fontNode) {
    if (!fontNode) return;
    auto flag = [&](const char* attr) { return ParseIntAuto(XmlAttrText(fontNode, attr, L"0")) != 0; };
    const int size = static_cast<int>(ParseIntAuto(XmlAttrText(fontNode, "size", L"12")));
    const int charset = static_cast<int>(ParseIntAuto(XmlAttrText(fontNode, "charset", L"1")));
    defFontStyle =
        FontStyle::Make(size, charset, flag("italic"), flag("underline"), flag("bold"), flag("strike"));
    std::wstring face = XmlAttrText(fontNode, "face");
    IRenderFactory* factory = context.GetRenderFactory();
    if (face.empty() || (factory && !factory->HasFontFace(face))) face = kFallbackFace;
    defFontFace = face;
}

void SUiDefInfo::LoadSection(IResProvider* provider, pugi::xml_node uidef, const char* section) {
    pugi::xml_node node = XmlChild(uidef, section);
    pugi::xml_document srcDoc;
    std::wstring type, name;
    if (node && SplitResId(XmlAttrText(node, "src"), type, name) == 2) {
        bool found = false;
        node = ParseFromProvider(provider, type, name, srcDoc, found) ? XmlChild(srcDoc, section)
                                                                      : pugi::xml_node();
    }
    if (!node) return;
    const std::string_view which(section);
    if (which == "string") {
        namedString.Init(node);
    } else if (which == "color") {
        namedColor.Init(node);
    } else if (which == "skin") {
        skinPool = MakeRef<SSkinPool>();
        skinPool->LoadSkins(node, context);
        context.GetSkinPoolMgr().PushSkinPool(skinPool.get());
    } else if (which == "style") {
        stylePool = MakeRef<SStylePool>();
        stylePool->Init(node);
        context.GetStylePoolMgr().PushStylePool(stylePool.get());
    } else {
        objDefAttr.Init(node);
    }
}

std::wstring ResolveString(std::wstring_view text) {
    constexpr std::wstring_view kPrefix = L"@string/";
    SAppContext* context = SAppContext::Current();
    if (!text.starts_with(kPrefix)) return std::wstring(text);
    return context ? context->GetUiDef().GetNamedString().Get(text.substr(kPrefix.size())) : std::wstring();
}

COLORREF ResolveColor(std::wstring_view text) {
    constexpr std::wstring_view kPrefix = L"@color/";
    if (text.starts_with(kPrefix)) {
        SAppContext* context = SAppContext::Current();
        return context ? context->GetUiDef().GetNamedColor().Get(text.substr(kPrefix.size())) : kInvalidColor;
    }
    COLORREF color = kInvalidColor;
    ParseColor(text, color);
    return color;
}
