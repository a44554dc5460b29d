// The attributes of a layout's root element (`DUI`) that describe the real window: title, initial
// size, resize margins, styles, icons, opacity and kind. Filled by the host while it configures
// itself from the layout; read when the real window is made and styled. UI thread only.
#pragma once

#include <string>
#include <string_view>

#include "dui/include/core/SLayoutSize.h"
#include "dui/include/core/SObject.h"
#include "support/WinTypes.h"

enum class HostWndType { kUndefine = 0, kAppMain = 1, kNormal = 2 };

class SHostWndAttr {
public:
    // kDeclined for names that are not host attributes; kFailed for a value that does not parse
    // (the old value stays).
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value);
    // Back to the defaults, before a layout is applied again.
    void Reset() { *this = SHostWndAttr(); }

    // The platform style bits: computed from the flags unless "wndStyle"/"wndStyleEx" were given.
    DWORD GetWndStyle() const;
    DWORD GetWndStyleEx() const;

    std::wstring title;  // resolved
    SLayoutSize width = SLayoutSize::WrapContent();
    SLayoutSize height = SLayoutSize::WrapContent();
    RECT margin{};
    SIZE minSize{};
    RECT maxInset{};
    DWORD wndStyle = 0;
    DWORD wndStyleEx = 0;
    bool hasWndStyle = false;
    bool hasWndStyleEx = false;
    bool resizable = false;
    bool translucent = false;
    bool appWnd = false;
    bool toolWindow = false;
    bool sendWheel2Hover = false;
    bool allowSpy = false;
    bool appMainWnd = false;
    std::wstring smallIcon;
    std::wstring bigIcon;
    BYTE alpha = 255;
    std::wstring trCtx;
    HostWndType wndType = HostWndType::kUndefine;
};
