#include "dui/include/core/SFontPool.h"

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SLayoutSize.h"
#include "dui/include/core/SStringUtil.h"

SFontKey SFontPool::ParseDescription(std::wstring_view description, int scale, DWORD defaultStyle,
                                     const std::wstring& defaultFace) {
    SFontKey key;
    DWORD style = defaultStyle;
    int size = -1;
    int adding = 0;
    bool sizeGiven = false;
    const std::vector<std::wstring> items = Split(ToLowerAscii(description), L',');
    // Last to first: a key given twice ends with its first value.
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        const size_t colon = it->find(L':');
        if (colon == std::wstring::npos) continue;
        const std::wstring k = Trim(std::wstring_view(*it).substr(0, colon));
        const std::wstring v = Trim(std::wstring_view(*it).substr(colon + 1));
        auto setBit = [&](DWORD bit) { style = v != L"0" ? (style | bit) : (style & ~bit); };
        if (k == L"face") {
            key.face = v;
        } else if (k == L"size") {
            size = SLayoutSize::Parse(v).ToPixels(scale);
            sizeGiven = true;
        } else if (k == L"adding") {
            adding = SLayoutSize::Parse(v).ToPixels(scale);
        } else if (k == L"italic") {
            setBit(FontStyle::kItalic);
        } else if (k == L"bold") {
            setBit(FontStyle::kBold);
        } else if (k == L"underline") {
            setBit(FontStyle::kUnderline);
        } else if (k == L"strike") {
            setBit(FontStyle::kStrike);
        } else if (k == L"charset") {
            style = (style & ~(0xFFu << FontStyle::kCharsetShift)) |
                    ((static_cast<DWORD>(ParseIntAuto(v)) & 0xFF) << FontStyle::kCharsetShift);
        } else {
            key.extras[k] = v;
        }
    }
    if (!sizeGiven) size = FontStyle::Size(defaultStyle) * scale / 100 + adding;
    key.style = (style & ~FontStyle::kSizeMask) | (static_cast<DWORD>(size) & FontStyle::kSizeMask);
    if (key.face.empty()) key.face = defaultFace;
    return key;
}

std::shared_ptr<IFont> SFontPool::FontFromDescription(std::wstring_view description, int scale) {
    const SUiDefInfo& uiDef = context.GetUiDef();
    return GetFont(ParseDescription(description, scale, uiDef.GetDefFontStyle(), uiDef.GetDefFontFace()));
}

std::shared_ptr<IFont> SFontPool::GetDefaultFont(int scale) {
    const SUiDefInfo& uiDef = context.GetUiDef();
    auto key = std::make_tuple(uiDef.GetDefFontStyle(), uiDef.GetDefFontFace(), scale);
    const auto it = defaults.find(key);
    if (it != defaults.end() && it->second) return it->second;
    std::shared_ptr<IFont> font = FontFromDescription(L"", scale);
    defaults.insert_or_assign(std::move(key), font);
    return font;
}

std::shared_ptr<IFont> SFontPool::GetFont(const SFontKey& key) {
    IRenderFactory* factory = context.GetRenderFactory();
    if (!factory) return nullptr;
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    FontDesc desc;
    desc.face = key.face;
    desc.size = FontStyle::Size(key.style);
    desc.bold = (key.style & FontStyle::kBold) != 0;
    desc.italic = (key.style & FontStyle::kItalic) != 0;
    desc.underline = (key.style & FontStyle::kUnderline) != 0;
    desc.strike = (key.style & FontStyle::kStrike) != 0;
    std::shared_ptr<IFont> font = factory->CreateFont(desc);
    cache.emplace(key, font);
    return font;
}
