#include "dui/src/control/SRadioBox.h"

SRadioBox::SRadioBox() : SCheckBox(L"_skin.sys.radio") {}

void SRadioBox::OnClicked() {
    SWindow* parent = GetParent();
    for (SWindow* sibling = parent != nullptr ? parent->GetFirstChild() : nullptr; sibling != nullptr;
         sibling = sibling->GetNextSibling())
        if (sibling != this && sibling->IsClass(kClassName) && sibling->IsChecked()) sibling->SetCheck(false);
    SetCheck(true);
}
