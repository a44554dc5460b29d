#include "dui/src/host/x11/X11Window.h"

#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "dui/include/core/IRenderTarget.h"
#include "dui/src/host/DisplayScale.h"
#include "dui/src/host/x11/HostX11.h"
#include "dui/src/host/x11/XResources.h"
#include "dui/src/render/Unpremultiply.h"
#include "support/TextConvert.h"

namespace {

// Two presses closer than this in time and distance make a double click, as Win32's defaults.
constexpr Time kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 4;
// How long a paste waits for the clipboard's owner to answer.
constexpr int kClipboardWaitMs = 1000;
constexpr int kWheelDelta = 120;

UINT VirtualKeyOf(KeySym sym) {
    if (sym >= XK_a && sym <= XK_z) return static_cast<UINT>('A' + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z) return static_cast<UINT>('A' + (sym - XK_A));
    if (sym >= XK_0 && sym <= XK_9) return static_cast<UINT>('0' + (sym - XK_0));
    switch (sym) {
        case XK_BackSpace:
            return VK_BACK;
        case XK_Tab:
        case XK_ISO_Left_Tab:
            return VK_TAB;
        case XK_Return:
        case XK_KP_Enter:
            return VK_RETURN;
        case XK_Escape:
            return VK_ESCAPE;
        case XK_space:
            return VK_SPACE;
        case XK_Home:
        case XK_KP_Home:
            return VK_HOME;
        case XK_End:
        case XK_KP_End:
            return VK_END;
        case XK_Left:
        case XK_KP_Left:
            return VK_LEFT;
        case XK_Right:
        case XK_KP_Right:
            return VK_RIGHT;
        case XK_Up:
        case XK_KP_Up:
            return VK_UP;
        case XK_Down:
        case XK_KP_Down:
            return VK_DOWN;
        case XK_Delete:
        case XK_KP_Delete:
            return VK_DELETE;
        case XK_Insert:
        case XK_KP_Insert:
            return VK_INSERT;
        case XK_Shift_L:
        case XK_Shift_R:
            return VK_SHIFT;
        case XK_Control_L:
        case XK_Control_R:
            return VK_CONTROL;
        default:
            return 0;
    }
}

unsigned int CursorShapeOf(const std::wstring& name) {
    static const std::pair<const wchar_t*, unsigned int> kShapes[] = {{L"ibeam", XC_xterm},
                                                                      {L"hand", XC_hand2},
                                                                      {L"wait", XC_watch},
                                                                      {L"cross", XC_crosshair},
                                                                      {L"uparrow", XC_sb_up_arrow},
                                                                      {L"size", XC_fleur},
                                                                      {L"sizeall", XC_fleur},
                                                                      {L"sizewe", XC_sb_h_double_arrow},
                                                                      {L"sizens", XC_sb_v_double_arrow},
                                                                      {L"sizenwse", XC_bottom_right_corner},
                                                                      {L"sizenesw", XC_bottom_left_corner},
                                                                      {L"no", XC_X_cursor},
                                                                      {L"help", XC_question_arrow}};
    for (const auto& [word, shape] : kShapes)
        if (name == word) return shape;
    return XC_left_ptr;
}

}  // namespace

X11Window::X11Window(HostX11& host, HWND hwnd, const HostWindowParams& params)
    : host_(host), display_(host.GetDisplay()), hwnd_(hwnd), style_(params.style), rect_(params.rect) {
    const int screen = DefaultScreen(display_);
    const Window root = DefaultRootWindow(display_);
    visual_ = DefaultVisual(display_, screen);
    depth_ = DefaultDepth(display_, screen);
    XVisualInfo argb;
    // Per-pixel alpha needs a 32-bit visual (and a compositor to show it); without one the
    // window is opaque.
    if (params.translucent && XMatchVisualInfo(display_, screen, 32, TrueColor, &argb)) {
        visual_ = argb.visual;
        depth_ = 32;
    }
    colormap_ = XCreateColormap(display_, root, visual_, AllocNone);
    XSetWindowAttributes attrs{};
    attrs.colormap = colormap_;
    attrs.border_pixel = 0;
    attrs.background_pixel = 0;
    attrs.bit_gravity = NorthWestGravity;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                       EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                       StructureNotifyMask | FocusChangeMask;
    const SIZE size = GetClientSize();
    xwin_ = XCreateWindow(display_, root, rect_.left, rect_.top, std::max<LONG>(size.cx, 1),
                          std::max<LONG>(size.cy, 1), 0, depth_, InputOutput, visual_,
                          CWColormap | CWBorderPixel | CWBackPixel | CWBitGravity | CWEventMask, &attrs);
    if (xwin_ == 0) return;
    host_.AddX11Window(xwin_, this);
    gc_ = XCreateGC(display_, xwin_, 0, nullptr);

    const X11Atoms& atoms = host_.Atoms();
    Atom protocols[] = {atoms.wmDeleteWindow};
    XSetWMProtocols(display_, xwin_, protocols, 1);
    // Motif hints: flags = decorations, decorations = none. We draw our own caption.
    const long motif[5] = {2, 0, 0, 0, 0};
    XChangeProperty(display_, xwin_, atoms.motifWmHints, atoms.motifWmHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);
    const std::string className = WideToUtf8(params.className.empty() ? L"DUIHOST" : params.className);
    XClassHint classHint{const_cast<char*>("larkholm"), const_cast<char*>(className.c_str())};
    XSetClassHint(display_, xwin_, &classHint);
    SetCardinalProperty(atoms.netWmPid, {static_cast<unsigned long>(getpid())});
    const bool tool = !(params.exStyle & WS_EX_APPWINDOW) && (params.exStyle & WS_EX_TOOLWINDOW);
    const Atom type = tool ? atoms.netWmWindowTypeUtility : atoms.netWmWindowTypeNormal;
    XChangeProperty(display_, xwin_, atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    if (tool)
        XChangeProperty(display_, xwin_, atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&atoms.netWmStateSkipTaskbar), 1);
    SetSizeHints();
    SetTitle(params.title);
    if (host_.InputMethod() != nullptr)
        inputContext_ = XCreateIC(host_.InputMethod(), XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                  XNClientWindow, xwin_, XNFocusWindow, xwin_, nullptr);
    if (inputContext_ != nullptr) {
        long imEvents = 0;
        XGetICValues(inputContext_, XNFilterEvents, &imEvents, nullptr);
        XSelectInput(display_, xwin_, attrs.event_mask | imEvents);
    }
}

X11Window::~X11Window() {
    host_.RemoveWindow(hwnd_);
    if (xwin_ == 0) return;
    host_.RemoveX11Window(xwin_);
    if (inputContext_ != nullptr) XDestroyIC(inputContext_);
    for (const auto& [name, cursor] : cursors_) XFreeCursor(display_, cursor);
    XFreeGC(display_, gc_);
    XDestroyWindow(display_, xwin_);
    XFreeColormap(display_, colormap_);
    XFlush(display_);
}

void X11Window::Queue(UINT message, WPARAM wParam, LPARAM lParam) {
    host_.QueueInput(MSG{hwnd_, message, wParam, lParam, static_cast<DWORD>(lastEventTime_), {}});
}

void X11Window::SetCardinalProperty(Atom property, const std::vector<unsigned long>& values) {
    XChangeProperty(display_, xwin_, property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

long X11Window::ProcessOf(Window window) const {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display_, window, host_.Atoms().netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && count == 1 && format == 32)
        pid = *reinterpret_cast<const long*>(data);
    if (data != nullptr) XFree(data);
    return pid;
}

void X11Window::AdoptWindowsOf(int processId) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) == 0) return;
    for (unsigned int i = 0; i < count; ++i) {
        Window owner = 0;
        if (children[i] == xwin_ || ProcessOf(children[i]) != processId) continue;
        if (XGetTransientForHint(display_, children[i], &owner) != 0 && owner == xwin_) continue;
        XSetTransientForHint(display_, children[i], xwin_);
    }
    if (children != nullptr) XFree(children);
    XFlush(display_);
}

void X11Window::SetSizeHints() {
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PPosition | USPosition | PSize;
    hints->x = rect_.left;
    hints->y = rect_.top;
    hints->width = GetClientSize().cx;
    hints->height = GetClientSize().cy;
    if (!(style_ & WS_THICKFRAME)) {
        // Without a sizing frame the size is the program's alone.
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = std::max<int>(hints->width, 1);
        hints->min_height = hints->max_height = std::max<int>(hints->height, 1);
    }
    XSetWMNormalHints(display_, xwin_, hints);
    XFree(hints);
}

void X11Window::SetTitle(const std::wstring& title) {
    const std::string utf8 = WideToUtf8(title);
    const X11Atoms& atoms = host_.Atoms();
    for (Atom property : {atoms.netWmName, atoms.netWmIconName})
        XChangeProperty(display_, xwin_, property, atoms.utf8String, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
    XStoreName(display_, xwin_, utf8.c_str());
}

void X11Window::SetIcons(const std::vector<ImgFrame>& icons) {
    // _NET_WM_ICON: per icon its width, height and straight ARGB pixels, each in a long.
    std::vector<unsigned long> data;
    for (const ImgFrame& icon : icons) {
        if (icon.pixels.size() != static_cast<std::size_t>(icon.width) * icon.height) continue;
        data.push_back(static_cast<unsigned long>(icon.width));
        data.push_back(static_cast<unsigned long>(icon.height));
        for (std::uint32_t p : icon.pixels) data.push_back(Unpremultiply(p));
    }
    if (!data.empty()) SetCardinalProperty(host_.Atoms().netWmIcon, data);
}

void X11Window::SetOpacity(BYTE alpha) {
    if (alpha == 255) {
        XDeleteProperty(display_, xwin_, host_.Atoms().netWmWindowOpacity);
        return;
    }
    SetCardinalProperty(host_.Atoms().netWmWindowOpacity, {static_cast<unsigned long>(alpha) * 0x01010101UL});
}

void X11Window::SetWindowRect(const RECT& rect) {
    const SIZE before = GetClientSize();
    rect_ = rect;
    const SIZE after = GetClientSize();
    SetSizeHints();
    XMoveResizeWindow(display_, xwin_, rect_.left, rect_.top, std::max<LONG>(after.cx, 1),
                      std::max<LONG>(after.cy, 1));
    XFlush(display_);
    if (before.cx != after.cx || before.cy != after.cy) {
        Queue(WM_SIZE, 0, MAKELPARAM(after.cx, after.cy));
        Invalidate(RECT{0, 0, after.cx, after.cy});
    }
}

void X11Window::ShowWindow(int command) {
    if (const auto moveTo = placement_.Apply(command, rect_, host_.GetWorkArea(rect_)))
        SetWindowRect(*moveTo);
    if (command == SW_HIDE) {
        XUnmapWindow(display_, xwin_);
    } else if (command == SW_MINIMIZE) {
        XIconifyWindow(display_, xwin_, DefaultScreen(display_));
    } else {
        XMapRaised(display_, xwin_);
        // Window managers may place a new window themselves; ours knows where it goes.
        XMoveWindow(display_, xwin_, rect_.left, rect_.top);
    }
    XFlush(display_);
}

void X11Window::BeginMoveDrag(POINT screenPoint) {
    const X11Atoms& atoms = host_.Atoms();
    if (host_.WmSupports(atoms.netWmMoveResize)) {
        // The window manager takes the pointer and moves the window until the button is released.
        XUngrabPointer(display_, CurrentTime);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = xwin_;
        event.xclient.message_type = atoms.netWmMoveResize;
        event.xclient.format = 32;
        event.xclient.data.l[0] = screenPoint.x;
        event.xclient.data.l[1] = screenPoint.y;
        event.xclient.data.l[2] = 8;  // _NET_WM_MOVERESIZE_MOVE
        event.xclient.data.l[3] = Button1;
        event.xclient.data.l[4] = 1;  // a normal application
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(display_);
        return;
    }
    dragging_ = true;
    dragOffset_ = POINT{screenPoint.x - rect_.left, screenPoint.y - rect_.top};
}

void X11Window::Present(const PixelView& pixels, const RECT& dirty) {
    if (pixels.data == nullptr) return;
    const RECT part{std::max<LONG>(dirty.left, 0), std::max<LONG>(dirty.top, 0),
                    std::min<LONG>(dirty.right, pixels.width), std::min<LONG>(dirty.bottom, pixels.height)};
    if (IsRectEmpty(&part)) return;
    // The surface's memory is shown as it is: 32-bit pixels in the host's byte order.
    XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                                 const_cast<char*>(reinterpret_cast<const char*>(pixels.data)),
                                 static_cast<unsigned>(pixels.width), static_cast<unsigned>(pixels.height),
                                 32, pixels.stride);
    if (image == nullptr) return;
    image->byte_order = LSBFirst;
    XPutImage(display_, xwin_, gc_, image, part.left, part.top, part.left, part.top,
              static_cast<unsigned>(part.right - part.left), static_cast<unsigned>(part.bottom - part.top));
    image->data = nullptr;  // the surface owns the memory
    XDestroyImage(image);
    XFlush(display_);
}

void X11Window::Invalidate(const RECT& rect) {
    if (update_.Add(rect, GetClientSize())) host_.RequestPaint(hwnd_);
}

RECT X11Window::TakeUpdateRect() {
    return update_.Take();
}

void X11Window::SetCursor(const std::wstring& name) {
    auto& cursor = cursors_[name];
    if (cursor == 0) cursor = XCreateFontCursor(display_, CursorShapeOf(name));
    XDefineCursor(display_, xwin_, cursor);
}

void X11Window::SetImePosition(POINT caret) {
    if (inputContext_ == nullptr) return;
    XPoint spot{static_cast<short>(caret.x), static_cast<short>(caret.y)};
    XVaNestedList list = XVaCreateNestedList(0, XNSpotLocation, &spot, nullptr);
    XSetICValues(inputContext_, XNPreeditAttributes, list, nullptr);
    XFree(list);
}

void X11Window::SetClipboardText(const std::wstring& text) {
    clipboard_ = text;
    XSetSelectionOwner(display_, host_.Atoms().clipboard, xwin_, lastEventTime_);
    XFlush(display_);
}

std::wstring X11Window::GetClipboardText() {
    const X11Atoms& atoms = host_.Atoms();
    const Window owner = XGetSelectionOwner(display_, atoms.clipboard);
    if (owner == xwin_) return clipboard_;
    if (owner == None) return {};
    XDeleteProperty(display_, xwin_, atoms.clipProperty);
    XConvertSelection(display_, atoms.clipboard, atoms.utf8String, atoms.clipProperty, xwin_, lastEventTime_);
    XFlush(display_);
    // Wait for the owner's answer only; other events stay queued for the loop.
    XEvent event;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kClipboardWaitMs);
    while (!XCheckTypedWindowEvent(display_, xwin_, SelectionNotify, &event)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return {};
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long>(left.count(), 50)));
    }
    if (event.xselection.property == None) return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::wstring text;
    // Large transfers (INCR) are not read: an edit box does not take megabytes of text.
    if (XGetWindowProperty(display_, xwin_, atoms.clipProperty, 0, 1 << 20, True, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 8 && (type == atoms.utf8String || type == XA_STRING))
        text = Utf8ToWide(std::string(reinterpret_cast<const char*>(data), count));
    if (data != nullptr) XFree(data);
    return text;
}

void X11Window::OnSelectionRequest(const XSelectionRequestEvent& request) {
    const X11Atoms& atoms = host_.Atoms();
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    // Old clients give no property: the target names it then.
    const Atom property = request.property == None ? request.target : request.property;
    reply.xselection.property = None;
    if (request.selection == atoms.clipboard) {
        if (request.target == atoms.targets) {
            const Atom offered[] = {atoms.targets, atoms.utf8String, XA_STRING};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 3);
            reply.xselection.property = property;
        } else if (request.target == atoms.utf8String || request.target == XA_STRING) {
            const std::string utf8 = WideToUtf8(clipboard_);
            XChangeProperty(display_, request.requestor, property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(utf8.data()),
                            static_cast<int>(utf8.size()));
            reply.xselection.property = property;
        }
    }
    XSendEvent(display_, request.requestor, False, 0, &reply);
    XFlush(display_);
}

WPARAM X11Window::MouseFlags(unsigned int state) const {
    return ((state & Button1Mask) ? MK_LBUTTON : 0) | ((state & Button3Mask) ? MK_RBUTTON : 0) |
           ((state & ShiftMask) ? MK_SHIFT : 0) | ((state & ControlMask) ? MK_CONTROL : 0);
}

void X11Window::SyncModifiers(unsigned int state) {
    // Shift and Ctrl changed while another window had the keyboard: tell the loop as key messages.
    const bool shift = (state & ShiftMask) != 0, control = (state & ControlMask) != 0;
    if (shift != shiftDown_) Queue(shift ? WM_KEYDOWN : WM_KEYUP, VK_SHIFT, 1);
    if (control != controlDown_) Queue(control ? WM_KEYDOWN : WM_KEYUP, VK_CONTROL, 1);
    shiftDown_ = shift;
    controlDown_ = control;
}

void X11Window::OnButton(const XButtonEvent& event, bool press) {
    SyncModifiers(event.state);
    const LPARAM point = MAKELPARAM(event.x, event.y);
    if (event.button == Button4 || event.button == Button5) {
        if (!press) return;
        const int delta = event.button == Button4 ? kWheelDelta : -kWheelDelta;
        Queue(WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<WORD>(delta)) << 16) | MouseFlags(event.state),
              point);
        return;
    }
    if (event.button == Button1 && !press && dragging_) {
        dragging_ = false;  // the caption already sent its own button-up when the drag began
        return;
    }
    if (event.button == Button3) {
        Queue(press ? WM_RBUTTONDOWN : WM_RBUTTONUP, MouseFlags(event.state), point);
        return;
    }
    if (event.button != Button1) return;
    if (!press) {
        Queue(WM_LBUTTONUP, MouseFlags(event.state) & ~MK_LBUTTON, point);
        return;
    }
    const bool isDouble = !lastPressWasDouble_ && event.time - lastPressTime_ <= kDoubleClickMs &&
                          std::abs(event.x - lastPressPoint_.x) <= kDoubleClickDistance &&
                          std::abs(event.y - lastPressPoint_.y) <= kDoubleClickDistance;
    lastPressWasDouble_ = isDouble;
    lastPressTime_ = event.time;
    lastPressPoint_ = POINT{event.x, event.y};
    Queue(isDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MouseFlags(event.state) | MK_LBUTTON, point);
}

void X11Window::OnMotion(const XMotionEvent& event) {
    if (dragging_) {
        SetWindowRect(RECT{event.x_root - dragOffset_.x, event.y_root - dragOffset_.y,
                           event.x_root - dragOffset_.x + GetClientSize().cx,
                           event.y_root - dragOffset_.y + GetClientSize().cy});
        return;
    }
    SyncModifiers(event.state);
    Queue(WM_MOUSEMOVE, MouseFlags(event.state), MAKELPARAM(event.x, event.y));
}

void X11Window::OnKey(XKeyEvent& event, bool press) {
    KeySym sym = NoSymbol;
    char buffer[64];
    int length = 0;
    Status status = XLookupNone;
    if (press && inputContext_ != nullptr) {
        length = Xutf8LookupString(inputContext_, &event, buffer, sizeof buffer - 1, &sym, &status);
        if (status == XBufferOverflow) length = 0;
        if (status != XLookupChars && status != XLookupBoth) length = 0;
        if (status != XLookupKeySym && status != XLookupBoth) sym = XLookupKeysym(&event, 0);
    } else {
        length = press ? XLookupString(&event, buffer, sizeof buffer - 1, &sym, nullptr) : 0;
        if (!press) sym = XLookupKeysym(&event, 0);
    }
    const UINT vk = VirtualKeyOf(sym);
    if (vk == VK_SHIFT || vk == VK_CONTROL) {
        (vk == VK_SHIFT ? shiftDown_ : controlDown_) = press;
        Queue(press ? WM_KEYDOWN : WM_KEYUP, vk, 1);
        return;
    }
    SyncModifiers(event.state);
    if (vk != 0) Queue(press ? WM_KEYDOWN : WM_KEYUP, vk, press ? 1 : static_cast<LPARAM>(0xC0000001u));
    if (length <= 0 || controlDown_) return;
    for (wchar_t c : Utf8ToWide(std::string(buffer, static_cast<std::size_t>(length))))
        if (c >= 0x20 && c != 0x7F) Queue(WM_CHAR, static_cast<WPARAM>(c), 1);
}

void X11Window::OnFocus(const XFocusChangeEvent& event, bool in) {
    // A pointer grab (a caption drag, a menu) or focus moving inside the window is no change of
    // the active window.
    if (event.mode == NotifyGrab || event.mode == NotifyUngrab || event.detail == NotifyInferior) return;
    if (inputContext_ != nullptr) (in ? XSetICFocus : XUnsetICFocus)(inputContext_);
    if (!in) shiftDown_ = controlDown_ = false;
    Queue(in ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

void X11Window::OnConfigure(const XConfigureEvent& event) {
    // Behind a reparenting window manager the event's position is inside its frame; ask the root.
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, xwin_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    const SIZE before = GetClientSize();
    rect_ = RECT{x, y, x + event.width, y + event.height};
    if (before.cx != event.width || before.cy != event.height) {
        Queue(WM_SIZE, 0, MAKELPARAM(event.width, event.height));
        Invalidate(RECT{0, 0, event.width, event.height});
    }
}

void X11Window::HandleEvent(XEvent& event) {
    switch (event.type) {
        case Expose:
            Invalidate(RECT{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                            event.xexpose.y + event.xexpose.height});
            break;
        case ConfigureNotify:
            OnConfigure(event.xconfigure);
            break;
        case MapNotify:
            placement_.visible = true;
            placement_.minimized = false;
            break;
        case UnmapNotify:
            if (placement_.minimized) placement_.visible = true;  // iconified, not hidden
            break;
        case ButtonPress:
        case ButtonRelease:
            lastEventTime_ = event.xbutton.time;
            OnButton(event.xbutton, event.type == ButtonPress);
            break;
        case MotionNotify:
            lastEventTime_ = event.xmotion.time;
            OnMotion(event.xmotion);
            break;
        case LeaveNotify:
            if (event.xcrossing.mode == NotifyNormal && !(event.xcrossing.state & Button1Mask))
                Queue(WM_MOUSELEAVE, 0, 0);
            break;
        case KeyPress:
        case KeyRelease:
            lastEventTime_ = event.xkey.time;
            OnKey(event.xkey, event.type == KeyPress);
            break;
        case FocusIn:
        case FocusOut:
            OnFocus(event.xfocus, event.type == FocusIn);
            break;
        case ClientMessage:
            if (event.xclient.message_type == host_.Atoms().wmProtocols &&
                static_cast<Atom>(event.xclient.data.l[0]) == host_.Atoms().wmDeleteWindow)
                Queue(WM_CLOSE, 0, 0);
            break;
        case SelectionRequest:
            OnSelectionRequest(event.xselectionrequest);
            break;
        case SelectionClear:
            clipboard_.clear();
            break;
        default:
            break;
    }
}

int X11Window::GetScale() const {
    // Read now rather than at connection: a settings daemon may set it after we started.
    const std::optional<double> dpi = XftDpi(ReadResourceDatabase(display_));
    return dpi ? ScaleFromDpi(*dpi) : 100;
}
