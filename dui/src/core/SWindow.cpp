#include "dui/include/core/SWindow.h"

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SLog.h"
#include "dui/include/core/SUiDef.h"
#include "dui/include/core/SXml.h"
#include "dui/src/layout/SAnchorLayout.h"

namespace {

constexpr const wchar_t* kSource = L"src\\core\\SWnd";

struct NamedId {
    const wchar_t* name;
    int id;
};
constexpr NamedId kDialogIds[] = {{L"IDOK", 1},    {L"IDCANCEL", 2}, {L"IDABORT", 3},
                                  {L"IDRETRY", 4}, {L"IDIGNORE", 5}, {L"IDYES", 6},
                                  {L"IDNO", 7},    {L"IDCLOSE", 8},  {L"IDHELP", 9}};

}  // namespace

SWindow::SWindow() : layout(MakeRef<SAnchorLayout>()) {
    for (int id : {EventSetFocus::kEventId, EventKillFocus::kEventId, EventSwndCreate::kEventId,
                   EventSwndDestroy::kEventId, EventSwndSize::kEventId, EventSwndVisibleChanged::kEventId,
                   EventSwndStateChanged::kEventId, EventLButtonDown::kEventId, EventLButtonUp::kEventId,
                   EventSwndMouseHover::kEventId, EventSwndMouseLeave::kEventId, EventCmd::kEventId,
                   EventCtxMenu::kEventId})
        eventSet.AddEvent(id);
}

SWindow::~SWindow() {
    while (firstChild) RemoveChild(firstChild);
}

// ---------------------------------------------------------------------------------------------
// Tree

void SWindow::AddChild(SWindow* child, SWindow* after) {
    if (!child || child->parent) return;
    child->AddRef();
    child->parent = this;
    if (!after || after->parent != this) after = lastChild;
    child->prevSibling = after;
    child->nextSibling = after ? after->nextSibling : firstChild;
    (after ? after->nextSibling : firstChild) = child;
    (child->nextSibling ? child->nextSibling->prevSibling : lastChild) = child;
    ++childCount;
    child->layoutParam = layout->CreateLayoutParam();
    child->layoutParam->SetMatchParent();
}

bool SWindow::RemoveChild(SWindow* child) {
    if (!child || child->parent != this) return false;
    (child->prevSibling ? child->prevSibling->nextSibling : firstChild) = child->nextSibling;
    (child->nextSibling ? child->nextSibling->prevSibling : lastChild) = child->prevSibling;
    child->parent = child->prevSibling = child->nextSibling = nullptr;
    --childCount;
    child->Release();
    return true;
}

void SWindow::DestroySubtree() {
    for (SWindow* child = firstChild; child; child = child->nextSibling) child->DestroySubtree();
    SendWindowMessage(WM_DESTROY);
    if (ISwndContainer* host = GetContainer()) host->OnSwndDestroyed(this);
}

bool SWindow::DestroyChild(SWindow* child) {
    if (!child || child->parent != this) return false;
    child->DestroySubtree();
    return RemoveChild(child);
}

void SWindow::DestroyAllChildren() {
    while (firstChild) DestroyChild(firstChild);
}

ISwndContainer* SWindow::GetContainer() const {
    const SWindow* wnd = this;
    while (!wnd->container && wnd->parent) wnd = wnd->parent;
    return wnd->container;
}

void SWindow::SetLayout(SAutoRefPtr<ILayout> newLayout) {
    layout = std::move(newLayout);
    for (SWindow* child = firstChild; child; child = child->nextSibling)
        if (!child->layoutParam || !layout->IsParamAcceptable(*child->layoutParam)) {
            child->layoutParam = layout->CreateLayoutParam();
            child->layoutParam->SetMatchParent();
        }
}

// ---------------------------------------------------------------------------------------------
// Building

bool SWindow::LoadFromXml(pugi::xml_node node) {
    if (layoutParam) layoutParam->Clear();
    const pugi::xml_attribute layoutAttr = XmlAttribute(node, "layout");
    if (layoutAttr) ApplyAttribute(L"layout", XmlText(layoutAttr.value()), true);
    const pugi::xml_attribute classAttr = XmlAttribute(node, "class");
    if (classAttr) ApplyClass(XmlText(classAttr.value()), layoutAttr ? kKeepLayout : kTakeClassLayout);
    for (pugi::xml_attribute attr : node.attributes())
        if (attr != layoutAttr && attr != classAttr)
            ApplyAttribute(XmlText(attr.name()), XmlText(attr.value()), true);
    OnInitFinished(node);

    const std::wstring content = Trim(XmlText(node.text().get()));
    if (!content.empty()) text = ResolveString(content);

    if (SendWindowMessage(WM_CREATE) != 0) {
        if (parent) parent->DestroyChild(this);
        return false;
    }
    InheritParentState();
    SendWindowMessage(WM_SHOWWINDOW, (state & WndState_Invisible) == 0, kParentChanged);
    BuildChildren(node);
    RequestRelayout();
    return true;
}

void SWindow::SetScale(int newScale) {
    if (newScale <= 0 || newScale == style.scale) return;
    style.SetScale(newScale);
    if (skin) SetSkin(RescaledSkin(skin.get()));
    if (ncSkin) ncSkin = SAutoRefPtr<ISkinObj>(RescaledSkin(ncSkin.get()));
    OnScaleChanged();
    for (SWindow* child = firstChild; child; child = child->nextSibling) child->SetScale(newScale);
    RequestRelayout();
}

ISkinObj* SWindow::RescaledSkin(ISkinObj* kept) const {
    if (kept == nullptr || kept->GetScale() == GetScale()) return kept;
    ISkinObj* found = FindSkin(kept->GetName());
    return found != nullptr ? found : kept;
}

void SWindow::InheritParentState() {
    if (!parent) return;
    DWORD add = 0;
    if (parent->state & WndState_Invisible) add |= WndState_Invisible;
    if (parent->state & WndState_Disable) add |= WndState_Disable;
    state |= add;
}

void SWindow::ApplyClass(const std::wstring& className, ClassLayout classLayout) {
    SAppContext* context = SAppContext::Current();
    const pugi::xml_node cls = context ? context->GetStylePoolMgr().FindStyle(className) : pugi::xml_node();
    if (!cls) return;
    // The class's layout goes first so its other attributes reach the right layout object; an
    // element's own "layout" (already applied) outranks it, as all its own attributes do.
    const pugi::xml_attribute clsLayout = XmlAttribute(cls, "layout");
    if (clsLayout && classLayout == kTakeClassLayout)
        ApplyAttribute(L"layout", XmlText(clsLayout.value()), true);
    for (pugi::xml_attribute attr : cls.attributes())
        if (attr != clsLayout && !EqualsNoCase(attr.name(), "class"))
            ApplyAttribute(XmlText(attr.name()), XmlText(attr.value()), true);
}

void SWindow::BuildChildren(pugi::xml_node node) {
    SAppContext* context = SAppContext::Current();
    if (!context) return;
    for (pugi::xml_node element : node.children()) {
        if (element.type() != pugi::node_element) continue;
        if (EqualsNoCase(element.name(), "include")) {
            pugi::xml_document doc;
            if (context->LoadXmlById(doc, XmlAttrText(element, "src")))
                BuildChildren(XmlChild(doc, "include"));
            continue;
        }
        SAutoRefPtr<SWindow> child = context->GetObjectFactory().Create<SWindow>(XmlText(element.name()));
        if (!child) continue;
        child->SetScale(GetScale());
        AddChild(child.get());
        child->LoadFromXml(element);
    }
}

const SAttrTable<SWindow>& SWindow::AttrTable() {
    using W = SWindow;
    using V = const std::wstring&;
    // "visible" and "show" are two names of one attribute.
    constexpr auto visible = [](W& w, V v, bool loading) {
        if (loading)
            w.visible = ParseFlag(v);
        else
            w.Show(ParseFlag(v), true);
        return AttrResult::kOk;
    };
    static const SAttrTable<SWindow> table{
        {L"layout",
         [](W& w, V v, bool) {
             SAppContext* context = SAppContext::Current();
             SAutoRefPtr<ILayout> made = context ? context->GetObjectFactory().Create<ILayout>(v) : nullptr;
             if (!made) return AttrResult::kFailed;
             w.SetLayout(std::move(made));
             return AttrResult::kOk;
         }},
        {L"class",
         [](W& w, V v, bool) {
             w.ApplyClass(v, kTakeClassLayout);
             return AttrResult::kOk;
         }},
        {L"id",
         [](W& w, V v, bool) {
             if (StartsWithNoCase(v, L"ID")) {
                 for (const NamedId& known : kDialogIds)
                     if (EqualsNoCase(v, known.name)) w.id = known.id;
             } else {
                 w.id = static_cast<int>(ParseIntAuto(v));
             }
             return AttrResult::kOk;
         }},
        {L"name",
         [](W& w, V v, bool) {
             w.name = v;
             SAppContext* context = SAppContext::Current();
             if (w.id == 0 && context) w.id = context->IdFromName(v);
             return AttrResult::kOk;
         }},
        {L"skin",
         [](W& w, V v, bool) {
             w.SetSkin(w.FindSkin(v));
             return AttrResult::kOk;
         }},
        {L"ncskin",
         [](W& w, V v, bool) {
             w.ncSkin = SAutoRefPtr<ISkinObj>(w.FindSkin(v));
             return AttrResult::kOk;
         }},
        {L"data",
         [](W& w, V v, bool) {
             w.userData = ParseIntAuto(v);
             return AttrResult::kOk;
         }},
        {L"text",
         [](W& w, V v, bool loading) {
             if (loading)
                 w.text = ResolveString(v);
             else
                 w.SetText(v);
             return AttrResult::kOk;
         }},
        {L"enable",
         [](W& w, V v, bool loading) {
             if (!loading) {
                 w.Enable(ParseFlag(v), true);
             } else {
                 w.ownDisabled = !ParseFlag(v);
                 w.state = w.ownDisabled ? (w.state | WndState_Disable) : (w.state & ~WndState_Disable);
             }
             return AttrResult::kOk;
         }},
        {L"visible", visible},
        {L"show", visible},
        {L"display", [](W& w, V v, bool) { return Flag(w.display, v); }},
        {L"cache", [](W& w, V v, bool) { return Flag(w.cache, v); }},
        {L"alpha", [](W& w, V v, bool l) { return w.style.ApplyAttribute(L"alpha", v, l); }},
        {L"layeredWindow", [](W& w, V v, bool) { return Flag(w.layeredWindow, v); }},
        {L"tip",
         [](W& w, V v, bool) {
             w.toolTip = ResolveString(v);
             return AttrResult::kOk;
         }},
        {L"msgTransparent", [](W& w, V v, bool) { return Flag(w.msgTransparent, v); }},
        {L"maxWidth",
         [](W& w, V v, bool) {
             w.maxWidth = SLayoutSize::Parse(v);
             return AttrResult::kOk;
         }},
        {L"clipClient", [](W& w, V v, bool) { return Flag(w.clipClient, v); }},
        {L"focusable", [](W& w, V v, bool) { return Flag(w.focusable, v); }},
        {L"drawFocusRect", [](W& w, V v, bool) { return Flag(w.drawFocusRect, v); }},
        {L"modal", [](W& w, V v, bool) { return Flag(w.modal, v); }},
        {L"float",
         [](W& w, V v, bool) {
             w.floating = ParseIntAuto(v) != 0;
             return AttrResult::kOk;
         }},
    };
    return table;
}

AttrResult SWindow::ApplyAttribute(std::wstring_view attrName, const std::wstring& value, bool loading) {
    AttrResult result = AttrTable().Apply(*this, attrName, value, loading);
    if (result != AttrResult::kDeclined) return result;
    result = style.ApplyAttribute(attrName, value, loading);
    if (result != AttrResult::kDeclined) return result;
    result = layout->ApplyAttribute(attrName, value, loading);
    if (result != AttrResult::kDeclined) return result;
    if (layoutParam) {
        result = layoutParam->ApplyAttribute(attrName, value);
        if (result != AttrResult::kDeclined) return result;
    }
    return OnClassAttribute(attrName, value, loading);
}

// ---------------------------------------------------------------------------------------------
// Look-ups

SWindow* SWindow::FindChild(const std::function<bool(const SWindow&)>& match, int depth) const {
    if (depth == 0) return nullptr;
    for (SWindow* child = firstChild; child; child = child->nextSibling)
        if (match(*child)) return child;
    if (depth == 1) return nullptr;
    for (SWindow* child = firstChild; child; child = child->nextSibling)
        if (SWindow* found = child->FindChild(match, depth < 0 ? depth : depth - 1)) return found;
    return nullptr;
}

SWindow* SWindow::FindChildByName(std::wstring_view childName, int depth) const {
    if (childName.empty()) return nullptr;
    return FindChild([childName](const SWindow& w) { return w.name == childName; }, depth);
}

SWindow* SWindow::FindChildByID(int childId, int depth) const {
    return FindChild([childId](const SWindow& w) { return w.id == childId; }, depth);
}

SWindow* SWindow::FindChildByName2(const wchar_t* className, std::wstring_view childName, int depth) const {
    SWindow* found = FindChildByName(childName, depth);
    if (found && found->IsClass(className)) return found;
    SLogFormat(
        SLogLevel::kWarning, kSource, __LINE__,
        L"FindChildByName2 Failed, no window of class [%ls] with name of [%ls] was found within [%d] levels",
        className, std::wstring(childName).c_str(), depth);
    return nullptr;
}

SWindow* SWindow::FindChildByID2(const wchar_t* className, int childId, int depth) const {
    SWindow* found = FindChildByID(childId, depth);
    if (found && found->IsClass(className)) return found;
    SLogFormat(
        SLogLevel::kWarning, kSource, __LINE__,
        L"FindChildByID2 Failed, no window of class [%ls] with id of [%d] was found within [%d] levels",
        className, childId, depth);
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Text and state

void SWindow::SetText(const std::wstring& newText) {
    SetTextLiteral(ResolveString(newText));
}

void SWindow::SetTextLiteral(const std::wstring& newText) {
    text = newText;
    OnTextChanged();
    Invalidate();
    if (IsContentSized()) RequestRelayout();
}

DWORD SWindow::ChangeState(DWORD add, DWORD remove, bool redraw) {
    const DWORD oldState = state;
    const DWORD newState = add | (oldState & ~remove);
    OnStateChanging(oldState, newState);
    state = newState;
    OnStateChanged(oldState, newState);
    if (redraw && NeedRedrawWhenStateChange()) Invalidate();
    return oldState;
}

void SWindow::OnStateChanged(DWORD oldState, DWORD newState) {
    EventSwndStateChanged evt(this);
    evt.oldState = oldState;
    evt.newState = newState;
    RaiseEvent(evt);
}

void SWindow::Show(bool show, bool redraw) {
    if (redraw) Invalidate();
    SendWindowMessage(WM_SHOWWINDOW, show, kOwnRequest);
    if (redraw) Invalidate();
}

bool SWindow::IsShown(bool checkParents) const {
    return checkParents ? (state & WndState_Invisible) == 0 : visible;
}

void SWindow::OnShowWindow(bool show, ParentChangeReason reason) {
    if (reason == kOwnRequest)
        visible = show;
    else if (show && !visible)
        show = false;
    if (show && parent && (parent->state & WndState_Invisible)) show = false;
    state = show ? (state & ~WndState_Invisible) : (state | WndState_Invisible);
    for (SWindow* child = firstChild; child; child = child->nextSibling)
        child->SendWindowMessage(WM_SHOWWINDOW, show, kParentChanged);
    if (!show) {
        if (IsFocused()) KillFocus();
        if (HasCapture()) ReleaseCapture();
    }
    if (!display && parent) parent->RequestRelayout();
    EventSwndVisibleChanged evt(this);
    RaiseEvent(evt);
}

void SWindow::Enable(bool enable, bool redraw) {
    SendWindowMessage(WM_ENABLE, enable, kOwnRequest);
    if (redraw) Invalidate();
}

bool SWindow::IsDisabled(bool checkParents) const {
    return checkParents ? (state & WndState_Disable) != 0 : ownDisabled;
}

void SWindow::OnEnable(bool enable, ParentChangeReason reason) {
    if (reason == kOwnRequest)
        ownDisabled = !enable;
    else if (enable && ownDisabled)
        enable = false;
    if (enable && parent && (parent->state & WndState_Disable)) enable = false;
    state = enable ? (state & ~WndState_Disable) : ((state | WndState_Disable) & ~WndState_Hover);
    for (SWindow* child = firstChild; child; child = child->nextSibling)
        child->SendWindowMessage(WM_ENABLE, enable, kParentChanged);
    if (!enable) {
        if (IsFocused()) KillFocus();
        // A press in progress ends with the window: no command can follow.
        if (HasCapture()) ReleaseCapture();
        state &= ~WndState_PushDown;
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse

void SWindow::OnMouseHover(UINT, POINT) {
    ChangeState(WndState_Hover | (HasCapture() ? WndState_PushDown : 0), 0, true);
    EventSwndMouseHover evt(this);
    RaiseEvent(evt);
}

void SWindow::OnMouseLeave() {
    ChangeState(0, WndState_Hover | (HasCapture() ? WndState_PushDown : 0), true);
    EventSwndMouseLeave evt(this);
    RaiseEvent(evt);
}

void SWindow::OnLButtonDown(UINT, POINT pt) {
    if (focusable) SetFocus();
    SetCapture();
    ChangeState(WndState_PushDown, 0, true);
    EventLButtonDown evt(this);
    evt.pt = pt;
    RaiseEvent(evt);
}

void SWindow::OnLButtonUp(UINT, POINT pt) {
    ReleaseCapture();
    if (!(state & WndState_PushDown)) return;
    ChangeState(0, WndState_PushDown, true);
    if (!PtInRect(&windowRect, pt)) return;
    EventLButtonUp evt(this);
    evt.pt = pt;
    RaiseEvent(evt);
    OnClick();
}

bool SWindow::OnSetCursor(POINT) {
    ISwndContainer* host = GetContainer();
    IHostWindow* window = host ? host->GetHostWindow() : nullptr;
    if (!window) return false;
    window->SetCursor(style.cursor);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Events and messages

bool SWindow::RaiseEvent(EventArgs& evt) {
    if (eventSet.IsMuted()) return false;
    eventSet.FireEvent(evt);
    if (!evt.bubbleUp) return evt.handled != 0;
    bool handled = evt.handled != 0;
    if (ISwndContainer* host = GetContainer()) handled = host->OnFireEvent(evt) || handled;
    return handled;
}

void SWindow::RaiseCommand() {
    EventCmd evt(this);
    RaiseEvent(evt);
}

void SWindow::OnDestroy() {
    EventSwndDestroy evt(this);
    RaiseEvent(evt);
}

LRESULT SWindow::SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            const int failed = OnCreate();
            if (failed == 0) {
                EventSwndCreate evt(this);
                RaiseEvent(evt);
            }
            return failed;
        }
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_SHOWWINDOW:
            OnShowWindow(wParam != 0, static_cast<ParentChangeReason>(lParam));
            return 0;
        case WM_ENABLE:
            OnEnable(wParam != 0, static_cast<ParentChangeReason>(lParam));
            return 0;
        case WM_MOUSEHOVER:
            OnMouseHover(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRButtonUp(UINT(wParam), PointOf(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointOf(lParam));
            return 0;
        case WM_SETFOCUS: {
            if (drawFocusRect) Invalidate();  // the focus frame comes
            OnSetFocus(reinterpret_cast<SWindow*>(wParam));
            EventSetFocus evt(this);
            RaiseEvent(evt);
            return 0;
        }
        case WM_KILLFOCUS: {
            if (drawFocusRect) Invalidate();  // and goes
            OnKillFocus(reinterpret_cast<SWindow*>(wParam));
            EventKillFocus evt(this);
            RaiseEvent(evt);
            return 0;
        }
        case WM_KEYDOWN:
            OnKeyDown(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_KEYUP:
            OnKeyUp(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_CHAR:
            OnChar(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_TIMER:
            OnTimer(UINT(wParam));
            return 0;
        case WM_SETCURSOR:
            return OnSetCursor(PointOf(lParam));
        default:
            return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Geometry and layout

RECT SWindow::GetClientRect() const {
    const RECT& m = style.margin;
    return RECT{windowRect.left + m.left, windowRect.top + m.top, windowRect.right - m.right,
                windowRect.bottom - m.bottom};
}

RECT SWindow::GetTextRect() const {
    const RECT client = GetClientRect();
    const RECT& p = style.padding;
    return RECT{client.left + p.left, client.top + p.top, client.right - p.right, client.bottom - p.bottom};
}

void SWindow::Move(const RECT& rc) {
    const RECT old = windowRect;
    const bool resized =
        rc.right - rc.left != old.right - old.left || rc.bottom - rc.top != old.bottom - old.top;
    if (rc.left != old.left || rc.top != old.top || resized) {
        InvalidateRect(old);
        windowRect = rc;
        InvalidateRect(rc);
    }
    if (resized) {
        OnSize();
        EventSwndSize evt(this);
        evt.size = SIZE{rc.right - rc.left, rc.bottom - rc.top};
        RaiseEvent(evt);
    }
    UpdateChildrenPosition();
}

std::vector<SLayoutChild> SWindow::CollectLayoutChildren(std::vector<SWindow*>& windows) {
    std::vector<SLayoutChild> items;
    for (SWindow* child = firstChild; child; child = child->nextSibling) {
        if (!child->TakesPartInLayout() || !child->layoutParam) continue;
        windows.push_back(child);
        items.push_back(SLayoutChild{child->layoutParam.get(), child->id, child->GetScale(),
                                     [child](int w, int h) { return child->GetDesiredSize(w, h); }});
    }
    return items;
}

void SWindow::UpdateChildrenPosition() {
    layoutDirty = false;
    std::vector<SWindow*> windows;
    const std::vector<SLayoutChild> items = CollectLayoutChildren(windows);
    const std::vector<RECT> rects = layout->CalculateLayout(items, GetClientRect());
    for (size_t i = 0; i < windows.size() && i < rects.size(); ++i) windows[i]->Move(rects[i]);
}

void SWindow::UpdateLayout() {
    if (layoutDirty) {
        UpdateChildrenPosition();
        return;
    }
    for (SWindow* child = firstChild; child; child = child->nextSibling) child->UpdateLayout();
}

void SWindow::RequestRelayout() {
    RequestRelayoutFor(windowRect);
}

void SWindow::RequestRelayoutFor(const RECT& area) {
    layoutDirty = true;
    if (IsContentSized() && parent) {
        parent->RequestRelayoutFor(area);
    } else if (ISwndContainer* host = GetContainer()) {
        host->RequestRelayout(area);
    }
}

bool SWindow::IsContentSized() const {
    return layoutParam && (layoutParam->IsWrapContent(Orientation::kHorizontal) ||
                           layoutParam->IsWrapContent(Orientation::kVertical));
}

SIZE SWindow::GetDesiredSize(int width, int height) {
    const RECT& m = style.margin;
    const RECT& p = style.padding;
    const int extraX = m.left + m.right + p.left + p.right;
    const int extraY = m.top + m.bottom + p.top + p.bottom;
    const SIZE content = MeasureContent(width < 0 ? -1 : std::max(0, width - extraX),
                                        height < 0 ? -1 : std::max(0, height - extraY));
    return SIZE{content.cx + extraX, content.cy + extraY};
}

SIZE SWindow::MeasureContent(int width, int height) {
    std::vector<SWindow*> windows;
    const std::vector<SLayoutChild> items = CollectLayoutChildren(windows);
    if (!items.empty()) {
        // Where this window follows its content, its children cannot lean on its size.
        const bool wrapX = layoutParam && layoutParam->IsWrapContent(Orientation::kHorizontal);
        const bool wrapY = layoutParam && layoutParam->IsWrapContent(Orientation::kVertical);
        return layout->MeasureContent(items, wrapX ? -1 : width, wrapY ? -1 : height);
    }
    const std::shared_ptr<IFont> font = GetCurrentFont();
    if (!font || text.empty()) return SIZE{};
    const int limit = maxWidth.IsSpecified() ? maxWidth.ToPixels(GetScale()) : width;
    SIZE size = font->MeasureText(text, TextFormat(), limit);
    if (maxWidth.IsSpecified() && size.cx > limit) size.cx = limit;
    return size;
}

// ---------------------------------------------------------------------------------------------
// Look and drawing

void SWindow::SetSkin(ISkinObj* newSkin) {
    skin = SAutoRefPtr<ISkinObj>(newSkin);
    OnSkinChanged();
    Invalidate();
    if (IsContentSized()) RequestRelayout();
}

int SWindow::StateIndexOf(DWORD wndState) {
    if (wndState & WndState_Disable) return 3;
    if (wndState & (WndState_PushDown | WndState_Check)) return 2;
    if (wndState & WndState_Hover) return 1;
    return 0;
}

int SWindow::GetSkinStateIndex(const ISkinObj& forSkin) const {
    const int index = GetStateIndex();
    return index < forSkin.GetStates() ? index : 0;
}

ISkinObj* SWindow::FindSkin(std::wstring_view skinName) const {
    SAppContext* context = SAppContext::Current();
    return context ? context->GetSkinPoolMgr().FindSkin(skinName, GetScale()) : nullptr;
}

std::shared_ptr<IFont> SWindow::GetCurrentFont() const {
    return style.GetTextFont(GetStateIndex());
}

COLORREF SWindow::GetCurrentTextColor() const {
    return style.GetTextColor(GetStateIndex());
}

void SWindow::Invalidate() {
    InvalidateRect(windowRect);
}

void SWindow::InvalidateRect(const RECT& rc) {
    ISwndContainer* host = GetContainer();
    if (host && IsShown() && rc.right > rc.left && rc.bottom > rc.top) host->InvalidateRect(rc);
}

void SWindow::Draw(IRenderTarget& rt, const RECT& dirty) {
    RECT common;
    if ((state & WndState_Invisible) || !IntersectRect(&common, &windowRect, &dirty)) return;
    const bool translucent = style.alpha < 255;
    if (translucent) rt.PushOpacity(style.alpha);
    rt.PushClipRect(common);
    OnNcPaint(rt);
    if (clipClient) rt.PushClipRect(GetClientRect());
    OnPaint(rt);
    for (SWindow* child = firstChild; child; child = child->nextSibling) child->Draw(rt, dirty);
    if (clipClient) rt.PopClip();
    rt.PopClip();
    if (translucent) rt.PopOpacity();
}

void SWindow::OnPaint(IRenderTarget& rt) {
    const RECT client = GetClientRect();
    if (skin) {
        skin->Draw(rt, client, GetSkinStateIndex(*skin));
    } else if (style.colorBkgnd != kInvalidColor) {
        rt.FillRect(client, style.colorBkgnd);
    }
    DrawText(rt, text, GetTextRect());
    DrawFocusRectIfFocused(rt);
}

void SWindow::OnNcPaint(IRenderTarget& rt) {
    const RECT& m = style.margin;
    if (m.left == 0 && m.top == 0 && m.right == 0 && m.bottom == 0) return;
    if (!ncSkin && style.colorBorder == kInvalidColor) return;
    const RECT w = windowRect;
    const RECT c = GetClientRect();
    const RECT bands[] = {{w.left, w.top, w.right, c.top},
                          {w.left, c.bottom, w.right, w.bottom},
                          {w.left, c.top, c.left, c.bottom},
                          {c.right, c.top, w.right, c.bottom}};
    for (const RECT& band : bands) {
        if (band.right <= band.left || band.bottom <= band.top) continue;
        if (ncSkin) {
            rt.PushClipRect(band);
            ncSkin->Draw(rt, w, GetSkinStateIndex(*ncSkin));
            rt.PopClip();
        } else {
            rt.FillRect(band, style.colorBorder);
        }
    }
}

void SWindow::DrawText(IRenderTarget& rt, const std::wstring& str, const RECT& rc) {
    const std::shared_ptr<IFont> font = GetCurrentFont();
    if (str.empty() || !font) return;
    rt.DrawText(str, rc, TextFormat(), *font, GetCurrentTextColor());
}

void SWindow::DrawFocusRectIfFocused(IRenderTarget& rt) {
    if (drawFocusRect && IsFocused() && ShowsFocusCues()) rt.DrawFocusRect(GetClientRect(), Dp(1));
}

bool SWindow::ShowsFocusCues() const {
    const ISwndContainer* host = GetContainer();
    return host != nullptr && host->ShowsFocusCues();
}

SWindow* SWindow::SwndFromPoint(POINT pt) {
    if ((state & WndState_Invisible) || !PtInRect(&windowRect, pt)) return nullptr;
    for (SWindow* child = lastChild; child; child = child->prevSibling)
        if (SWindow* hit = child->SwndFromPoint(pt)) return hit;
    return msgTransparent ? nullptr : this;
}

// ---------------------------------------------------------------------------------------------
// Focus and capture

void SWindow::SetFocus() {
    if (ISwndContainer* host = GetContainer()) host->SetFocus(this);
}

void SWindow::KillFocus() {
    if (ISwndContainer* host = GetContainer(); host && host->GetFocus() == this) host->SetFocus(nullptr);
}

bool SWindow::IsFocused() const {
    ISwndContainer* host = GetContainer();
    return host && host->GetFocus() == this;
}

void SWindow::SetCapture() {
    if (ISwndContainer* host = GetContainer()) host->SetCapture(this);
}

void SWindow::ReleaseCapture() {
    if (ISwndContainer* host = GetContainer(); host && host->GetCapture() == this) host->ReleaseCapture();
}

bool SWindow::HasCapture() const {
    ISwndContainer* host = GetContainer();
    return host && host->GetCapture() == this;
}
