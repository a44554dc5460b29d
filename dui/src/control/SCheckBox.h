// A check box (element "check"): a box picture at the left, vertically centred, and the text after
// it. The box comes from an eight-frame skin — unchecked normal, hover, pushed, disabled, then the
// same four checked — and "focusSkin" is drawn over the box, and a focus frame around the
// control, while it has the focus and focus cues are shown.
// A click (press and release inside) or Space toggles the checked state, then raises the command
// event; a disabled check box does neither. "checked" 1 starts it checked.
#pragma once

#include "dui/include/core/SWindow.h"

class SCheckBox : public SWindow {
    DUI_CLASS(SCheckBox, SWindow, L"check")
public:
    SCheckBox();

protected:
    void OnScaleChanged() override { focusSkin_ = SAutoRefPtr<ISkinObj>(RescaledSkin(focusSkin_.get())); }
    // Called on a click or Space: the check box toggles, a radio button checks itself.
    virtual void OnClicked();
    // The default box skin's name.
    explicit SCheckBox(const wchar_t* defaultSkin);

    void OnPaint(IRenderTarget& rt) override;
    SIZE MeasureContent(int width, int height) override;
    // Toggles (OnClicked), then raises the command event.
    void OnClick() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    bool NeedRedrawWhenStateChange() const override { return true; }
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

private:
    int BoxFrame(const ISkinObj& skin) const;
    RECT BoxRect(SIZE box) const;

    SAutoRefPtr<ISkinObj> focusSkin_;
};
