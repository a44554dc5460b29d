#include "dui/include/core/SHostWnd.h"

#include <algorithm>
#include <vector>

#include "dui/include/core/SApplication.h"
#include "dui/include/core/SEvents.h"
#include "dui/include/core/SLog.h"
#include "dui/include/core/SStringUtil.h"
#include "dui/include/core/SXml.h"
#include "dui/src/host/DisplayScale.h"
#include "dui/src/render/Resample.h"

namespace {

bool IsMouseMessage(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ||
           message == WM_MOUSEWHEEL;
}

// What the operator does to a window, which a disabled window ignores.
bool IsOperatorInput(UINT message) {
    return IsMouseMessage(message) || message == WM_MOUSELEAVE || message == WM_KEYDOWN ||
           message == WM_KEYUP || message == WM_CHAR || message == WM_CLOSE;
}

// An icon picture scaled to `size` pixels square, as the window manager wants it.
ImgFrame IconFrame(IRenderFactory& factory, const IBitmap& icon, int size) {
    return ResampleFrame(factory, icon, SIZE{size, size},
                         {{RECT{0, 0, icon.Width(), icon.Height()}, RECT{0, 0, size, size}}});
}

// "NAME:SIZE" → SIZE; the default when absent.
int IconSize(const std::wstring& iconId, int fallback) {
    std::wstring name, size;
    if (SplitResId(iconId, name, size) != 2) return fallback;
    const long pixels = ParseIntAuto(size);
    return pixels > 0 ? static_cast<int>(pixels) : fallback;
}

void CollectFocusable(SWindow& wnd, std::vector<SWindow*>& out) {
    for (SWindow* child = wnd.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!child->IsShown() || child->IsDisabled()) continue;
        if (child->IsFocusable()) out.push_back(child);
        CollectFocusable(*child, out);
    }
}

// The last shown modal window in drawing order (the one on top); nullptr when none is shown.
SWindow* TopmostModal(SWindow& wnd) {
    SWindow* found = nullptr;
    for (SWindow* child = wnd.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!child->IsShown()) continue;
        if (child->IsModal()) found = child;
        if (SWindow* inner = TopmostModal(*child)) found = inner;
    }
    return found;
}

// The shown, enabled window of `scope` that answers `vk` (the default or cancel button).
SWindow* DialogKeyAnswer(SWindow& scope, UINT vk) {
    for (SWindow* child = scope.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!child->IsShown() || child->IsDisabled()) continue;
        if (child->AnswersDialogKey(vk)) return child;
        if (SWindow* inner = DialogKeyAnswer(*child, vk)) return inner;
    }
    return nullptr;
}

bool IsInside(const SWindow* wnd, const SWindow& scope) {
    while (wnd != nullptr && wnd != &scope) wnd = wnd->GetParent();
    return wnd != nullptr;
}

}  // namespace

// The tree's view of its host: focus, capture and mouse routing come from SwndContainer; the rest
// is the host's.
class SHostWnd::Container final : public SwndContainer {
public:
    explicit Container(SHostWnd& host) : SwndContainer(host), host_(host) {}

    void InvalidateRect(const RECT& rect) override { host_.InvalidateHost(rect); }
    void RequestRelayout(const RECT& area) override {
        host_.relayoutPending_ = true;
        // The paint that lays out needs something to paint: the requester's place (a window not
        // placed yet has none, and then the whole window is due).
        host_.InvalidateHost(IsRectEmpty(&area) ? host_.GetWindowRect() : area);
    }
    bool SetSwndTimer(SWindow* window, UINT id, UINT elapseMs) override {
        return host_.SetSwndTimer(window, id, elapseMs);
    }
    void KillSwndTimer(SWindow* window, UINT id) override { host_.KillSwndTimer(window, id); }
    bool OnFireEvent(EventArgs& evt) override { return host_.HandleEvent(evt); }
    void OnSwndDestroyed(SWindow* window) override {
        SwndContainer::OnSwndDestroyed(window);
        host_.ForgetSwndTimers(window);
        host_.toolTip_.Forget(window);
    }
    IRenderFactory& GetRenderFactory() override { return *SAppContext::Current()->GetRenderFactory(); }
    HWND GetHostHwnd() const override { return host_.hwnd_; }
    IHostWindow* GetHostWindow() override { return host_.hostWindow_.get(); }

private:
    SHostWnd& host_;
};

SHostWnd::SHostWnd(std::wstring layoutId)
    : layoutId_(std::move(layoutId)), container_(std::make_unique<Container>(*this)) {
    SetContainer(container_.get());
}

SHostWnd::~SHostWnd() {
    DestroyWindow();
}

SwndContainer& SHostWnd::GetSwndContainer() {
    return *container_;
}

IHost* SHostWnd::Host() const {
    SApplication* app = SApplication::Current();
    return app != nullptr && app->HasHost() ? &app->GetHost() : nullptr;
}

HWND SHostWnd::Create(HWND /*owner*/, int x, int y, int cx, int cy) {
    IHost* host = Host();  // non-null only while an application lives
    IRenderFactory* factory = host != nullptr ? SApplication::Current()->GetRenderFactory() : nullptr;
    if (factory == nullptr || hostWindow_) return nullptr;
    hostAttr_.Reset();
    const bool loaded = LoadLayout();
    if (loaded) {
        const pugi::xml_node dui = layoutDoc_.first_child();
        for (pugi::xml_attribute attr : dui.attributes())
            hostAttr_.ApplyAttribute(XmlText(attr.name()), XmlText(attr.value()));
    }
    hwnd_ = RegisterWindow(this);
    HostWindowParams params;
    params.className = SApplication::Current()->GetHostClassName();
    params.title = hostAttr_.title;
    params.rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
    params.style = hostAttr_.GetWndStyle();
    params.exStyle = hostAttr_.GetWndStyleEx();
    params.translucent = hostAttr_.translucent;
    hostWindow_ = host->CreateHostWindow(hwnd_, *this, params);
    if (!hostWindow_) {
        UnregisterWindow(hwnd_);
        hwnd_ = nullptr;
        return nullptr;
    }
    SApplication::Current()->AddHostWnd(hwnd_, this);
    SetScale(EffectiveScale(hostWindow_->GetScale()));
    renderTarget_ = factory->CreateRenderTarget(SIZE{std::max(cx, 1), std::max(cy, 1)});
    SendMessage(WM_CREATE);
    if (cx <= 0 || cy <= 0) {
        const SIZE size = LayoutSize();
        SetHostRect(RECT{x, y, x + size.cx, y + size.cy});
    } else {
        OnHostSize(SIZE{cx, cy});
    }
    layoutDoc_.reset();
    EventInit init(this);
    RaiseEvent(init);
    return hwnd_;
}

bool SHostWnd::LoadLayout() {
    if (layoutId_.empty()) return false;
    if (!SAppContext::Current()->LoadXmlById(layoutDoc_, layoutId_)) return false;
    // The root element is `DUI` in any case; anything else builds nothing.
    if (!EqualsNoCase(XmlText(layoutDoc_.first_child().name()), L"dui")) {
        layoutDoc_.reset();
        return false;
    }
    return true;
}

void SHostWnd::OnHostCreate() {
    const pugi::xml_node dui = layoutDoc_.first_child();
    if (!dui) return;
    DestroyAllChildren();
    ApplyPools(dui);
    if (hostAttr_.alpha < 255 || hostAttr_.translucent) hostWindow_->SetOpacity(hostAttr_.alpha);
    ApplyIcons();
    LoadFromXml(XmlChild(dui, "root"));
}

void SHostWnd::ApplyPools(pugi::xml_node dui) {
    ReleasePools();
    SAppContext& context = *SAppContext::Current();
    stylePool_ = MakeRef<SStylePool>();
    if (pugi::xml_node style = XmlChild(dui, "style")) stylePool_->Init(style);
    if (!stylePool_->IsEmpty()) context.GetStylePoolMgr().PushStylePool(stylePool_.get());
    skinPool_ = MakeRef<SSkinPool>();
    if (pugi::xml_node skin = XmlChild(dui, "skin")) skinPool_->LoadSkins(skin, context);
    if (!skinPool_->IsEmpty()) context.GetSkinPoolMgr().PushSkinPool(skinPool_.get());
}

void SHostWnd::ReleasePools() {
    SAppContext* context = SAppContext::Current();
    if (stylePool_ && context != nullptr) context->GetStylePoolMgr().PopStylePool(stylePool_.get());
    if (skinPool_ && context != nullptr) context->GetSkinPoolMgr().PopSkinPool(skinPool_.get());
    stylePool_ = nullptr;
    skinPool_ = nullptr;
}

void SHostWnd::ApplyIcons() {
    SAppContext& context = *SAppContext::Current();
    IRenderFactory* factory = context.GetRenderFactory();
    if (factory == nullptr) return;
    std::vector<ImgFrame> icons;
    for (const auto& [id, fallback] :
         {std::pair{hostAttr_.smallIcon, 16}, std::pair{hostAttr_.bigIcon, 32}}) {
        if (id.empty()) continue;
        // The icon file's picture for the size at this window's scale, drawn at exactly that size.
        std::wstring name, unused;
        SplitResId(id, name, unused);
        const int size = Dp(IconSize(id, fallback));
        if (auto bitmap = context.GetResProviderMgr().LoadIcon(name + L":" + std::to_wstring(size))) {
            ImgFrame frame = IconFrame(*factory, *bitmap, size);
            if (frame.width > 0) icons.push_back(std::move(frame));
        }
    }
    if (!icons.empty()) hostWindow_->SetIcons(icons);
}

SIZE SHostWnd::LayoutSize() const {
    SIZE size{hostAttr_.width.ToPixels(GetScale()), hostAttr_.height.ToPixels(GetScale())};
    if (size.cx < 0 || size.cy < 0) {
        const SIZE content = const_cast<SHostWnd*>(this)->GetDesiredSize(-1, -1);
        if (size.cx < 0) size.cx = content.cx;
        if (size.cy < 0) size.cy = content.cy;
    }
    return SIZE{std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)};
}

void SHostWnd::DestroyWindow() {
    if (!hostWindow_ || destroying_) return;
    destroying_ = true;
    SendMessage(WM_DESTROY);
    DestroyAllChildren();
    ReleasePools();
    for (const auto& [hostId, timer] : swndTimers_) Host()->KillTimer(hwnd_, hostId);
    swndTimers_.clear();
    UnregisterWindow(hwnd_);  // no worker's post reaches us from here on
    if (SApplication* app = SApplication::Current()) app->RemoveHostWnd(hwnd_);
    hostWindow_.reset();
    renderTarget_.reset();
    hwnd_ = nullptr;
    destroying_ = false;
}

LRESULT SHostWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

bool SHostWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return PostToWindow(hwnd_, message, wParam, lParam);
}

void SHostWnd::OnPosted(UINT message, WPARAM wParam, LPARAM lParam) {
    // Any thread; Host() reads only the application pointer, which outlives every host window.
    if (IHost* host = Host()) host->PostMessage(hwnd_, message, wParam, lParam);
}

LRESULT SHostWnd::OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

LRESULT SHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message)) {
        OnMouse(message, wParam, PointOf(lParam));
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            OnHostCreate();
            return 0;
        case WM_SIZE:
            OnHostSize(SIZE{LOWORD(static_cast<std::uintptr_t>(lParam)),
                            HIWORD(static_cast<std::uintptr_t>(lParam))});
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSELEAVE:
            toolTip_.OnLeaveHost();
            container_->OnMouseLeaveHost();
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            OnKey(message, wParam, lParam);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (message == WM_KILLFOCUS) toolTip_.OnLeaveHost();
            container_->OnHostActivate(message == WM_SETFOCUS);
            return 0;
        case WM_TIMER: {
            if (toolTip_.OnTimer(wParam)) return 0;
            const auto it = swndTimers_.find(wParam);
            if (it != swndTimers_.end()) {
                it->second.window->SendWindowMessage(WM_TIMER, it->second.id);
            } else {
                EventTimer timer(this);
                timer.timerId = static_cast<UINT>(wParam);
                HandleEvent(timer);
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            OnSysCommand(wParam, lParam);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(static_cast<std::uintptr_t>(wParam)), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        default:
            return 0;
    }
}

bool SHostWnd::HandleEvent(EventArgs&) {
    return false;
}

void SHostWnd::OnSysCommand(WPARAM command, LPARAM lParam) {
    if (!hostWindow_) return;
    switch (command & 0xFFF0) {
        case SC_MOVE:
            hostWindow_->BeginMoveDrag(hostWindow_->ClientToScreen(PointOf(lParam)));
            break;
        case SC_MINIMIZE:
            hostWindow_->ShowWindow(SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            hostWindow_->ShowWindow(SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            hostWindow_->ShowWindow(SW_RESTORE);
            break;
        case SC_CLOSE:
            SendMessage(WM_CLOSE);
            break;
        default:
            break;
    }
}

void SHostWnd::OnDpiChanged(int dpi, const RECT* suggested) {
    const int scale = EffectiveScale(ScaleFromDpi(dpi));
    if (scale != GetScale()) {
        SetScale(scale);
        ApplyIcons();
    }
    // The system's rectangle keeps the window where the pointer left it, at the new size.
    if (suggested != nullptr) {
        const SIZE size = LayoutSize();
        SetHostRect(
            RECT{suggested->left, suggested->top, suggested->left + size.cx, suggested->top + size.cy});
    }
    InvalidateHost(GetWindowRect());
}

void SHostWnd::OnHostSize(SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) return;
    const SIZE current = renderTarget_ ? renderTarget_->GetSize() : SIZE{};
    if (renderTarget_ && (current.cx != size.cx || current.cy != size.cy)) renderTarget_->Resize(size);
    Move(RECT{0, 0, size.cx, size.cy});
    relayoutPending_ = false;
    InvalidateHost(RECT{0, 0, size.cx, size.cy});
}

void SHostWnd::InvalidateHost(const RECT& rect) {
    if (hostWindow_ && !IsRectEmpty(&rect)) hostWindow_->Invalidate(rect);
}

void SHostWnd::Paint() {
    if (!hostWindow_ || !renderTarget_) return;
    if (relayoutPending_) {
        relayoutPending_ = false;
        UpdateLayout();
    }
    const SIZE size = renderTarget_->GetSize();
    const RECT pending = hostWindow_->TakeUpdateRect();
    const RECT surface{0, 0, size.cx, size.cy};
    RECT dirty;
    if (!IntersectRect(&dirty, &pending, &surface)) return;
    renderTarget_->PushClipRect(dirty);
    // A translucent window shows the desktop where nothing is drawn; an opaque one shows black.
    renderTarget_->Clear(dirty, hostAttr_.translucent ? RGBA(0, 0, 0, 0) : RGBA(0, 0, 0, 255));
    Draw(*renderTarget_, dirty);
    toolTip_.Draw(*renderTarget_, dirty);
    renderTarget_->PopClip();
    hostWindow_->Present(renderTarget_->Pixels(), dirty);
}

void SHostWnd::UpdateWindow() {
    Paint();
}

void SHostWnd::PumpWithoutInput() {
    IHost* host = Host();
    MSG msg;
    while (host != nullptr && host->PeekMessage(msg)) {
        if (msg.message == WM_QUIT) {
            host->PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.hwnd == hwnd_ && IsOperatorInput(msg.message)) continue;
        host->DispatchMessage(msg);
    }
}

void SHostWnd::OnMouse(UINT message, WPARAM wParam, POINT pt) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN)
        toolTip_.OnPress();
    container_->DispatchMouseMessage(message, wParam, pt);
    if (message == WM_MOUSEMOVE) toolTip_.OnMouseMove(container_->GetHover(), pt);
}

SWindow& SHostWnd::KeyboardScope() {
    SWindow* modal = TopmostModal(*this);
    return modal != nullptr ? *modal : *this;
}

void SHostWnd::OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && OnDialogKey(static_cast<UINT>(wParam))) return;
    // Under a modal window the page must not react, whatever still has the focus there.
    if (!IsInside(container_->GetFocus(), KeyboardScope())) return;
    container_->DispatchKeyMessage(message, wParam, lParam);
}

bool SHostWnd::OnDialogKey(UINT vk) {
    if (vk == VK_TAB) {
        IHost* host = Host();
        MoveFocus(host != nullptr && host->IsKeyDown(VK_SHIFT));
        container_->ShowFocusCues();
        return true;
    }
    if (vk != VK_RETURN && vk != VK_ESCAPE) return false;
    SWindow& scope = KeyboardScope();
    const SWindow* focus = container_->GetFocus();
    if (vk == VK_RETURN && focus != nullptr && focus->WantsReturnKey() && IsInside(focus, scope))
        return false;
    SWindow* answer = DialogKeyAnswer(scope, vk);
    if (answer == nullptr) return false;
    answer->RaiseCommand();
    return true;
}

void SHostWnd::MoveFocus(bool backwards) {
    std::vector<SWindow*> focusable;
    CollectFocusable(KeyboardScope(), focusable);
    if (focusable.empty()) return;
    const auto it = std::find(focusable.begin(), focusable.end(), container_->GetFocus());
    std::size_t next;
    if (it == focusable.end()) {
        next = backwards ? focusable.size() - 1 : 0;
    } else {
        const std::size_t at = static_cast<std::size_t>(it - focusable.begin());
        next = backwards ? (at + focusable.size() - 1) % focusable.size() : (at + 1) % focusable.size();
    }
    container_->SetFocus(focusable[next]);
}

void SHostWnd::ShowWindow(int command) {
    if (!hostWindow_) return;
    hostWindow_->ShowWindow(command);
}

RECT SHostWnd::GetHostRect() const {
    return hostWindow_ ? hostWindow_->GetWindowRect() : RECT{};
}

void SHostWnd::SetHostRect(const RECT& rect) {
    if (!hostWindow_) return;
    const SIZE before = hostWindow_->GetClientSize();
    hostWindow_->SetWindowRect(rect);
    const SIZE after = hostWindow_->GetClientSize();
    // The platform reports the new size with WM_SIZE later; the tree needs it now.
    if (before.cx != after.cx || before.cy != after.cy || !renderTarget_ ||
        renderTarget_->GetSize().cx != after.cx || renderTarget_->GetSize().cy != after.cy)
        OnHostSize(after);
}

void SHostWnd::CenterWindow() {
    IHost* host = Host();
    if (host == nullptr || !hostWindow_) return;
    const RECT rc = hostWindow_->GetWindowRect();
    const RECT work = host->GetWorkArea(rc);
    const LONG w = rc.right - rc.left, h = rc.bottom - rc.top;
    LONG x = (work.left + work.right) / 2 - w / 2;
    LONG y = (work.top + work.bottom) / 2 - h / 2;
    if (x + w > work.right) x = work.right - w;
    if (x < work.left) x = work.left;
    if (y + h > work.bottom) y = work.bottom - h;
    if (y < work.top) y = work.top;
    hostWindow_->SetWindowRect(RECT{x, y, x + w, y + h});
}

bool SHostWnd::SetTimer(UINT_PTR id, UINT elapseMs) {
    IHost* host = Host();
    if (host == nullptr || !hostWindow_) return false;
    host->SetTimer(hwnd_, id, elapseMs);
    return true;
}

bool SHostWnd::KillTimer(UINT_PTR id) {
    IHost* host = Host();
    return host != nullptr && hostWindow_ && host->KillTimer(hwnd_, id);
}

bool SHostWnd::SetSwndTimer(SWindow* window, UINT id, UINT elapseMs) {
    IHost* host = Host();
    if (host == nullptr || !hostWindow_) return false;
    for (const auto& [hostId, timer] : swndTimers_) {
        if (timer.window == window && timer.id == id) {
            host->SetTimer(hwnd_, hostId, elapseMs);
            return true;
        }
    }
    const UINT_PTR hostId = nextSwndTimer_++;
    swndTimers_[hostId] = SwndTimer{window, id};
    host->SetTimer(hwnd_, hostId, elapseMs);
    return true;
}

void SHostWnd::KillSwndTimer(SWindow* window, UINT id) {
    for (auto it = swndTimers_.begin(); it != swndTimers_.end(); ++it) {
        if (it->second.window == window && it->second.id == id) {
            if (IHost* host = Host()) host->KillTimer(hwnd_, it->first);
            swndTimers_.erase(it);
            return;
        }
    }
}

void SHostWnd::ForgetSwndTimers(SWindow* window) {
    IHost* host = Host();
    std::erase_if(swndTimers_, [&](const auto& entry) {
        if (entry.second.window != window) return false;
        if (host != nullptr) host->KillTimer(hwnd_, entry.first);
        return true;
    });
}
