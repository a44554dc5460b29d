// The look of one window: colours, fonts per state, cursor, margins (the non-client band), insets
// (padding of the text), text format and a few flags. Filled from a window's own attributes and
// from style classes. Unset state colours and fonts fall back to the normal state's; an unset
// normal font falls back to the UI definition's default font. Sizes (fonts, margins, insets) are
// evaluated at `scale`; SetScale evaluates them again from the texts they were given. UI thread only.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dui/include/core/IFont.h"
#include "dui/include/core/RenderTypes.h"
#include "dui/include/core/SObject.h"

class SwndStyle {
public:
    enum Align { kAlignLeft, kAlignCenter, kAlignRight };
    enum VAlign { kAlignTop, kAlignMiddle, kAlignBottom };
    // Index of the per-state text colours and fonts.
    enum TextState { kTextNormal = 0, kTextHover = 1, kTextPush = 2, kTextDisable = 3 };

    // The style's attributes ("textMode", "align", "colorText", "font", "margin", "inset", ...);
    // kDeclined for any other name.
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading);
    // Fonts, margins and insets at `newScale` percent.
    void SetScale(int newScale);

    // The DT_* format text is drawn with: textMode when not 0, else built from the alignments
    // (0x25 by default).
    UINT GetTextFormat() const;
    COLORREF GetTextColor(int state) const;
    // Never null while the application has a render factory.
    std::shared_ptr<IFont> GetTextFont(int state) const;

    COLORREF colorBkgnd = kInvalidColor;
    COLORREF colorBorder = kInvalidColor;
    COLORREF colorText[4] = {kInvalidColor, kInvalidColor, kInvalidColor, kInvalidColor};
    std::shared_ptr<IFont> font[4];
    std::wstring cursor = L"arrow";
    RECT margin{};
    RECT padding{};
    UINT textMode = 0;
    Align align = kAlignCenter;
    VAlign valign = kAlignMiddle;
    bool dotted = false;
    bool trackMouseEvent = false;
    bool bkgndBlend = true;
    BYTE alpha = 255;
    int sepSpace = 5;
    int scale = 100;

private:
    // The size attributes in the order given (the last of a name only), for SetScale.
    std::vector<std::pair<std::wstring, std::wstring>> sizedAttributes_;
};
