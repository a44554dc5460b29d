// SVBox ("vbox"): a vertical linear layout.
#pragma once

#include "dui/src/layout/SLinearLayout.h"

class SVBox : public SLinearLayout {
    DUI_CLASS(SVBox, SLinearLayout, L"vbox")
public:
    SVBox() { orientation = Orientation::kVertical; }
};
