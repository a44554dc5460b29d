// SHBox ("hbox"): a horizontal linear layout.
#pragma once

#include "dui/src/layout/SLinearLayout.h"

class SHBox : public SLinearLayout {
    DUI_CLASS(SHBox, SLinearLayout, L"hbox")
public:
    SHBox() { orientation = Orientation::kHorizontal; }
};
