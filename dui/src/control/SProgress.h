// A progress bar (element "progress"): "bkgndSkin" draws the track over the whole client area
// and "posSkin" the filled part, from the left (or from the bottom with "vertical" 1) in
// proportion to the value within "min".."max". The value is clamped to the range; "showPercent" 1
// writes the percentage in the middle.
#pragma once

#include "dui/include/core/SWindow.h"

class SProgress : public SWindow {
    DUI_CLASS(SProgress, SWindow, L"progress")
public:
    SProgress() = default;

    // Clamps to the range; redraws when the value changes.
    void SetValue(int value);
    int GetValue() const;
    // A range with max below min is taken as min..min.
    void SetRange(int min, int max);
    int GetMin() const { return min_; }
    int GetMax() const { return max_; }

protected:
    void OnScaleChanged() override {
        bkgndSkin_ = SAutoRefPtr<ISkinObj>(RescaledSkin(bkgndSkin_.get()));
        posSkin_ = SAutoRefPtr<ISkinObj>(RescaledSkin(posSkin_.get()));
    }
    void OnPaint(IRenderTarget& rt) override;
    SIZE MeasureContent(int width, int height) override;
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;  // as given; GetValue clamps, since "value" may come before "min" and "max"
    bool vertical_ = false;
    bool showPercent_ = false;
    SAutoRefPtr<ISkinObj> bkgndSkin_;
    SAutoRefPtr<ISkinObj> posSkin_;
};
