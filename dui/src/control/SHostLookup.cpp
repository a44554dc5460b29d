#include "dui/src/control/SHostLookup.h"

SHostWnd* HostOf(SWindow& wnd) {
    SWindow* root = &wnd;
    while (root->GetParent() != nullptr) root = root->GetParent();
    return root->IsClass(SHostWnd::kClassName) ? static_cast<SHostWnd*>(root) : nullptr;
}
