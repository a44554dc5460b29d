#include "dui/include/core/SwndStyle.h"

#include <algorithm>
#include <iterator>

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SAttrTable.h"
#include "dui/include/core/SLayoutSize.h"
#include "dui/include/core/SUiDef.h"
#include "dui/src/core/SRectText.h"

namespace {

AttrResult SetColor(COLORREF& target, const std::wstring& value) {
    if (value.empty()) return AttrResult::kFailed;
    target = ResolveColor(value);
    return AttrResult::kOk;
}

AttrResult SetFont(SwndStyle& style, int state, const std::wstring& value) {
    SAppContext* context = SAppContext::Current();
    style.font[state] = context ? context->GetFontPool().FontFromDescription(value, style.scale) : nullptr;
    return AttrResult::kOk;
}

AttrResult SetByte(BYTE& target, const std::wstring& value) {
    const long v = ParseIntAuto(value);
    if (v < 0 || v > 255) return AttrResult::kFailed;
    target = static_cast<BYTE>(v);
    return AttrResult::kOk;
}

LONG Pixels(const SwndStyle& style, const std::wstring& value) {
    return static_cast<LONG>(SLayoutSize::Parse(value).ToPixels(style.scale));
}

const SAttrTable<SwndStyle>& Table() {
    using S = SwndStyle;
    using V = const std::wstring&;
    static const SAttrTable<SwndStyle> table{
        {L"textMode",
         [](S& s, V v, bool) {
             s.textMode = static_cast<UINT>(ParseIntAuto(v));
             return AttrResult::kOk;
         }},
        {L"align",
         [](S& s, V v, bool) {
             if (v == L"left")
                 s.align = S::kAlignLeft;
             else if (v == L"center")
                 s.align = S::kAlignCenter;
             else if (v == L"right")
                 s.align = S::kAlignRight;
             else
                 return AttrResult::kFailed;
             return AttrResult::kOk;
         }},
        {L"valign",
         [](S& s, V v, bool) {
             if (v == L"top")
                 s.valign = S::kAlignTop;
             else if (v == L"middle")
                 s.valign = S::kAlignMiddle;
             else if (v == L"bottom")
                 s.valign = S::kAlignBottom;
             else
                 return AttrResult::kFailed;
             return AttrResult::kOk;
         }},
        {L"colorBkgnd", [](S& s, V v, bool) { return SetColor(s.colorBkgnd, v); }},
        {L"colorBorder", [](S& s, V v, bool) { return SetColor(s.colorBorder, v); }},
        {L"colorText", [](S& s, V v, bool) { return SetColor(s.colorText[S::kTextNormal], v); }},
        {L"colorTextHover", [](S& s, V v, bool) { return SetColor(s.colorText[S::kTextHover], v); }},
        {L"colorTextPush", [](S& s, V v, bool) { return SetColor(s.colorText[S::kTextPush], v); }},
        {L"colorTextDisable", [](S& s, V v, bool) { return SetColor(s.colorText[S::kTextDisable], v); }},
        {L"font", [](S& s, V v, bool) { return SetFont(s, S::kTextNormal, v); }},
        {L"fontHover", [](S& s, V v, bool) { return SetFont(s, S::kTextHover, v); }},
        {L"fontPush", [](S& s, V v, bool) { return SetFont(s, S::kTextPush, v); }},
        {L"fontDisable", [](S& s, V v, bool) { return SetFont(s, S::kTextDisable, v); }},
        {L"margin-x",
         [](S& s, V v, bool) {
             s.margin.left = s.margin.right = Pixels(s, v);
             return AttrResult::kOk;
         }},
        {L"margin-y",
         [](S& s, V v, bool) {
             s.margin.top = s.margin.bottom = Pixels(s, v);
             return AttrResult::kOk;
         }},
        {L"margin", [](S& s, V v, bool) { return ParseMargins(v, s.scale, s.margin); }},
        {L"inset", [](S& s, V v, bool) { return ParseMargins(v, s.scale, s.padding); }},
        {L"padding", [](S& s, V v, bool) { return ParseMargins(v, s.scale, s.padding); }},
        {L"cursor",
         [](S& s, V v, bool) {
             s.cursor = ResolveString(v);
             return AttrResult::kOk;
         }},
        {L"dotted",
         [](S& s, V v, bool) {
             s.dotted = ParseIntAuto(v) != 0;
             return AttrResult::kOk;
         }},
        {L"trackMouseEvent",
         [](S& s, V v, bool) {
             s.trackMouseEvent = ParseIntAuto(v) != 0;
             return AttrResult::kOk;
         }},
        {L"bkgndBlend",
         [](S& s, V v, bool) {
             s.bkgndBlend = ParseIntAuto(v) != 0;
             return AttrResult::kOk;
         }},
        {L"alpha", [](S& s, V v, bool) { return SetByte(s.alpha, v); }},
        {L"sepSpace",
         [](S& s, V v, bool) {
             BYTE space = 0;
             const AttrResult r = SetByte(space, v);
             if (r == AttrResult::kOk) s.sepSpace = space;
             return r;
         }},
    };
    return table;
}

}  // namespace

AttrResult SwndStyle::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    const AttrResult result = Table().Apply(*this, name, value, loading);
    static constexpr std::wstring_view kSized[] = {L"font",        L"fontHover", L"fontPush",
                                                   L"fontDisable", L"margin-x",  L"margin-y",
                                                   L"margin",      L"inset",     L"padding"};
    const bool sized = std::any_of(std::begin(kSized), std::end(kSized),
                                   [&](std::wstring_view n) { return EqualsNoCase(n, name); });
    if (result == AttrResult::kOk && sized) {
        std::erase_if(sizedAttributes_, [&](const auto& attr) { return EqualsNoCase(attr.first, name); });
        sizedAttributes_.emplace_back(name, value);
    }
    return result;
}

void SwndStyle::SetScale(int newScale) {
    scale = newScale;
    for (const auto& [name, value] : sizedAttributes_) Table().Apply(*this, name, value, false);
}

UINT SwndStyle::GetTextFormat() const {
    if (textMode != 0) return textMode;
    UINT format = 0;
    if (align == kAlignCenter)
        format |= DT_CENTER;
    else if (align == kAlignRight)
        format |= DT_RIGHT;
    if (valign == kAlignMiddle)
        format |= DT_VCENTER | DT_SINGLELINE;
    else if (valign == kAlignBottom)
        format |= DT_BOTTOM | DT_SINGLELINE;
    if (dotted) format |= DT_END_ELLIPSIS;
    return format;
}

COLORREF SwndStyle::GetTextColor(int state) const {
    const COLORREF color = state >= 0 && state < 4 ? colorText[state] : kInvalidColor;
    return color != kInvalidColor ? color : colorText[kTextNormal];
}

std::shared_ptr<IFont> SwndStyle::GetTextFont(int state) const {
    if (state >= 0 && state < 4 && font[state]) return font[state];
    if (font[kTextNormal]) return font[kTextNormal];
    SAppContext* context = SAppContext::Current();
    return context ? context->GetFontPool().GetDefaultFont(scale) : nullptr;
}
