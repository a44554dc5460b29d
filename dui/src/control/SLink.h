// A link (element "link"): text in the link style (a hand cursor; the style classes give colours
// and the underlined hover font). A click raises the command event and, when "href" is not empty,
// opens the target with the desktop's handler (the shell's "open" verb).
#pragma once

#include "dui/include/core/SWindow.h"

class SLink : public SWindow {
    DUI_CLASS(SLink, SWindow, L"link")
public:
    SLink();

    const std::wstring& GetHref() const { return href_; }

protected:
    // Raises the command event, then opens the target.
    void OnClick() override;
    bool NeedRedrawWhenStateChange() const override { return true; }
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

private:
    std::wstring href_;
};
