// SFontPool: fonts from the framework's font descriptions ("face:微软雅黑,bold:1,size:17"),
// cached by (style word, face, extra properties) and shared. Fonts are made by the render
// factory; without one (a tree built with no renderer) every font is nullptr. UI thread only.
//
// The font style word packs: bits 0-15 size in pixels, 16-23 character set, bit 24 italic,
// 25 underline, 26 bold, 27 strike-out.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "dui/include/core/IFont.h"
#include "support/WinTypes.h"

class SAppContext;

namespace FontStyle {
constexpr DWORD kSizeMask = 0xFFFF;
constexpr DWORD kCharsetShift = 16;
constexpr DWORD kItalic = 1u << 24;
constexpr DWORD kUnderline = 1u << 25;
constexpr DWORD kBold = 1u << 26;
constexpr DWORD kStrike = 1u << 27;
constexpr DWORD Make(int size, int charset, bool italic, bool underline, bool bold, bool strike) {
    return (static_cast<DWORD>(size) & kSizeMask) | ((static_cast<DWORD>(charset) & 0xFF) << kCharsetShift) |
           (italic ? kItalic : 0) | (underline ? kUnderline : 0) | (bold ? kBold : 0) |
           (strike ? kStrike : 0);
}
constexpr int Size(DWORD style) {
    return static_cast<int>(style & kSizeMask);
}
constexpr int Charset(DWORD style) {
    return static_cast<int>((style >> kCharsetShift) & 0xFF);
}
}  // namespace FontStyle

// A parsed description: what the cache is keyed by.
struct SFontKey {
    DWORD style = 0;
    std::wstring face;
    std::map<std::wstring, std::wstring> extras;

    bool operator<(const SFontKey& o) const {
        return std::tie(style, face, extras) < std::tie(o.style, o.face, o.extras);
    }
    bool operator==(const SFontKey& o) const = default;
};

class SFontPool {
public:
    explicit SFontPool(SAppContext& context) : context(context) {}

    // Parses a description against a default style word and face at `scale` percent. Items are
    // applied from last to first, so when a key is given twice the first one wins.
    static SFontKey ParseDescription(std::wstring_view description, int scale, DWORD defaultStyle,
                                     const std::wstring& defaultFace);

    // Against the current UI definition's default font.
    std::shared_ptr<IFont> FontFromDescription(std::wstring_view description, int scale = 100);
    // The UI definition's default font at `scale`. Every window without a font of its own draws
    // with it, so it is looked up without parsing a description each time.
    std::shared_ptr<IFont> GetDefaultFont(int scale = 100);
    std::shared_ptr<IFont> GetFont(const SFontKey& key);

private:
    SAppContext& context;
    std::map<SFontKey, std::shared_ptr<IFont>> cache;
    // The default font per (default style, default face, scale) of the UI definitions seen.
    std::map<std::tuple<DWORD, std::wstring, int>, std::shared_ptr<IFont>> defaults;
};
