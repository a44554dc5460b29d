// A radio button (element "radio"): drawn as a check box with an eight-frame radio skin. A click
// checks it and unchecks the other radio buttons of the same parent (a parent is one group); a
// click on a checked radio button leaves it checked.
#pragma once

#include "dui/src/control/SCheckBox.h"

class SRadioBox : public SCheckBox {
    DUI_CLASS(SRadioBox, SCheckBox, L"radio")
public:
    SRadioBox();

protected:
    void OnClicked() override;
};
