#include "dui/src/control/SImageButton.h"

SImageButton::SImageButton() {
    SetSkin(nullptr);
    // Picture buttons (a caption's close and minimise) must not take the focus from a field.
    ApplyAttribute(L"focusable", L"0", true);
}
