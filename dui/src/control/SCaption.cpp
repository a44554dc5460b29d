#include "dui/src/control/SCaption.h"

#include "dui/src/control/SHostLookup.h"

void SCaption::OnLButtonDown(UINT, POINT pt) {
    if (IsFocusable()) SetFocus();
    SHostWnd* host = HostOf(*this);
    if (host == nullptr || host->GetHostWindow() == nullptr) return;
    // A maximised host does not move.
    if (host->GetHostWindow()->IsMaximized()) return;
    host->SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(pt.x, pt.y));
    // The move loop has the button-up; give the tree one so nothing stays pressed.
    host->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

void SCaption::OnLButtonDblClk(UINT, POINT) {
    SHostWnd* host = HostOf(*this);
    if (host == nullptr || host->GetHostWindow() == nullptr) return;
    const DWORD style = host->GetHostAttr().GetWndStyle();
    if (!(style & WS_THICKFRAME) || !(style & WS_MAXIMIZEBOX)) return;
    const bool maximized = host->GetHostWindow()->IsMaximized();
    host->SendMessage(WM_SYSCOMMAND, (maximized ? SC_RESTORE : SC_MAXIMIZE) | HTCAPTION);
}
