#include "dui/include/core/SHostWndAttr.h"

#include <algorithm>
#include <cwchar>

#include "dui/include/core/SAttrTable.h"
#include "dui/include/core/SStringUtil.h"
#include "dui/include/core/SUiDef.h"

namespace {

using Attr = SHostWndAttr;

// "l,t,r,b" as four integers; false unless all four are there.
LONG Number(const std::wstring& text) {
    return static_cast<LONG>(ParseIntAuto(Trim(text)));
}

bool ParseRect(const std::wstring& value, RECT& out) {
    const auto parts = Split(value, L',');
    if (parts.size() != 4) return false;
    out = RECT{Number(parts[0]), Number(parts[1]), Number(parts[2]), Number(parts[3])};
    return true;
}

AttrResult Text(std::wstring& field, const std::wstring& value) {
    field = value;
    return AttrResult::kOk;
}

const SAttrTable<Attr>& Table() {
    static const SAttrTable<Attr> table{
        {L"title", [](Attr& a, const std::wstring& v, bool) { return Text(a.title, ResolveString(v)); }},
        {L"width",
         [](Attr& a, const std::wstring& v, bool) {
             a.width = SLayoutSize::ParseWidthHeight(v);
             return AttrResult::kOk;
         }},
        {L"height",
         [](Attr& a, const std::wstring& v, bool) {
             a.height = SLayoutSize::ParseWidthHeight(v);
             return AttrResult::kOk;
         }},
        {L"margin", [](Attr& a, const std::wstring& v,
                       bool) { return ParseRect(v, a.margin) ? AttrResult::kOk : AttrResult::kFailed; }},
        {L"maxInset", [](Attr& a, const std::wstring& v,
                         bool) { return ParseRect(v, a.maxInset) ? AttrResult::kOk : AttrResult::kFailed; }},
        {L"minsize",
         [](Attr& a, const std::wstring& v, bool) {
             const auto parts = Split(v, L',');
             if (parts.size() != 2) return AttrResult::kFailed;
             a.minSize = SIZE{Number(parts[0]), Number(parts[1])};
             return AttrResult::kOk;
         }},
        {L"wndStyle",
         [](Attr& a, const std::wstring& v, bool) {
             a.wndStyle = static_cast<DWORD>(ParseIntAuto(v)) & ~WS_VISIBLE;
             a.hasWndStyle = true;
             return AttrResult::kOk;
         }},
        {L"wndStyleEx",
         [](Attr& a, const std::wstring& v, bool) {
             a.wndStyleEx = static_cast<DWORD>(ParseIntAuto(v));
             a.hasWndStyleEx = true;
             return AttrResult::kOk;
         }},
        {L"resizable", [](Attr& a, const std::wstring& v, bool) { return Flag(a.resizable, v); }},
        {L"translucent", [](Attr& a, const std::wstring& v, bool) { return Flag(a.translucent, v); }},
        {L"appWnd", [](Attr& a, const std::wstring& v, bool) { return Flag(a.appWnd, v); }},
        {L"toolWindow", [](Attr& a, const std::wstring& v, bool) { return Flag(a.toolWindow, v); }},
        {L"sendWheel2Hover", [](Attr& a, const std::wstring& v, bool) { return Flag(a.sendWheel2Hover, v); }},
        {L"allowSpy", [](Attr& a, const std::wstring& v, bool) { return Flag(a.allowSpy, v); }},
        {L"appMainWnd", [](Attr& a, const std::wstring& v, bool) { return Flag(a.appMainWnd, v); }},
        {L"smallIcon", [](Attr& a, const std::wstring& v, bool) { return Text(a.smallIcon, v); }},
        {L"bigIcon", [](Attr& a, const std::wstring& v, bool) { return Text(a.bigIcon, v); }},
        {L"trCtx", [](Attr& a, const std::wstring& v, bool) { return Text(a.trCtx, v); }},
        {L"alpha",
         [](Attr& a, const std::wstring& v, bool) {
             a.alpha = static_cast<BYTE>(std::clamp<long>(ParseIntAuto(v), 0, 255));
             return AttrResult::kOk;
         }},
        {L"wndType",
         [](Attr& a, const std::wstring& v, bool) {
             static const std::pair<const wchar_t*, HostWndType> kTypes[] = {
                 {L"undefine", HostWndType::kUndefine},
                 {L"appMain", HostWndType::kAppMain},
                 {L"normal", HostWndType::kNormal}};
             for (const auto& [word, type] : kTypes) {
                 if (EqualsNoCase(v, word)) {
                     a.wndType = type;
                     return AttrResult::kOk;
                 }
             }
             return AttrResult::kFailed;
         }},
    };
    return table;
}

}  // namespace

AttrResult SHostWndAttr::ApplyAttribute(std::wstring_view name, const std::wstring& value) {
    return Table().Apply(*this, name, value, true);
}

DWORD SHostWndAttr::GetWndStyle() const {
    if (hasWndStyle) return wndStyle;
    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    style |= resizable ? (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX) : WS_MINIMIZEBOX;
    if (appWnd) style |= WS_SYSMENU;
    return style;
}

DWORD SHostWndAttr::GetWndStyleEx() const {
    if (hasWndStyleEx) return wndStyleEx;
    DWORD exStyle = 0;
    if (appWnd)
        exStyle |= WS_EX_APPWINDOW;
    else if (toolWindow)
        exStyle |= WS_EX_TOOLWINDOW;
    if (translucent) exStyle |= WS_EX_LAYERED;
    return exStyle;
}
