// A button drawn by its picture alone (element "imgbtn"): a three- or four-state skin showing the
// normal, hover, pushed (and disabled) frames, with no system skin behind it. Clicks as SButton.
#pragma once

#include "dui/src/control/SButton.h"

class SImageButton : public SButton {
    DUI_CLASS(SImageButton, SButton, L"imgbtn")
public:
    SImageButton();
};
