#include "dui/src/host/x11/HostX11.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <clocale>
#include <cstring>

#include "dui/include/core/SLog.h"
#include "dui/src/host/MonitorArea.h"
#include "dui/src/host/x11/X11Window.h"

namespace {

// Xlib's default error handler ends the process; a request on a window that has just gone (a
// race every X client meets) is not worth that.
int LogXError(Display* display, XErrorEvent* error) {
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    SLogFormat(SLogLevel::kWarning, L"src\\host\\x11\\HostX11", __LINE__, L"X error: %hs (request %d)", text,
               static_cast<int>(error->request_code));
    return 0;
}

// Keyboard text comes in the locale's encoding; make sure that is UTF-8.
void UseUtf8Locale() {
    const char* current = std::setlocale(LC_CTYPE, "");
    if (current == nullptr ||
        (std::strstr(current, "UTF-8") == nullptr && std::strstr(current, "utf8") == nullptr))
        std::setlocale(LC_CTYPE, "C.UTF-8");
    XSetLocaleModifiers("");
}

// The monitors of the desktop: Xinerama's heads where Xinerama joins screens into one desktop (a
// RandR server answers for it too), else RandR's monitors (1.5 and later); none when the server
// offers neither, and the screen is then one monitor. RandR alone is not asked first: beside
// Xinerama it sees only its own screen.
std::vector<RECT> QueryMonitors(Display* display) {
    std::vector<RECT> monitors;
    int eventBase = 0, errorBase = 0;
    if (XineramaQueryExtension(display, &eventBase, &errorBase) && XineramaIsActive(display)) {
        int count = 0;
        if (XineramaScreenInfo* heads = XineramaQueryScreens(display, &count)) {
            for (int i = 0; i < count; ++i)
                monitors.push_back(RECT{heads[i].x_org, heads[i].y_org, heads[i].x_org + heads[i].width,
                                        heads[i].y_org + heads[i].height});
            XFree(heads);
        }
        if (!monitors.empty()) return monitors;
    }
    int major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 5))
        return monitors;
    int count = 0;
    if (XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count)) {
        for (int i = 0; i < count; ++i)
            monitors.push_back(
                RECT{info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height});
        XRRFreeMonitors(info);
    }
    return monitors;
}

}  // namespace

std::unique_ptr<IHost> CreatePlatformHost() {
    return CreateX11Host();
}

std::unique_ptr<IHost> CreateX11Host(const char* displayName) {
    UseUtf8Locale();
    Display* display = XOpenDisplay(displayName != nullptr && *displayName != '\0' ? displayName : nullptr);
    if (display == nullptr) return nullptr;
    XSetErrorHandler(LogXError);
    return std::make_unique<HostX11>(display);
}

HostX11::HostX11(Display* display) : display_(display) {
    const auto intern = [this](const char* name) { return XInternAtom(display_, name, False); };
    atoms_ = X11Atoms{intern("WM_PROTOCOLS"),
                      intern("WM_DELETE_WINDOW"),
                      intern("_NET_WM_NAME"),
                      intern("_NET_WM_ICON_NAME"),
                      intern("_NET_WM_ICON"),
                      intern("_NET_WM_PID"),
                      intern("_NET_WM_WINDOW_TYPE"),
                      intern("_NET_WM_WINDOW_TYPE_NORMAL"),
                      intern("_NET_WM_WINDOW_TYPE_UTILITY"),
                      intern("_NET_WM_STATE"),
                      intern("_NET_WM_STATE_SKIP_TASKBAR"),
                      intern("_NET_WM_WINDOW_OPACITY"),
                      intern("_NET_WM_MOVERESIZE"),
                      intern("_NET_WORKAREA"),
                      intern("_NET_SUPPORTED"),
                      intern("_MOTIF_WM_HINTS"),
                      intern("UTF8_STRING"),
                      intern("CLIPBOARD"),
                      intern("TARGETS"),
                      intern("DUI_CLIPBOARD")};
    inputMethod_ = XOpenIM(display_, nullptr, nullptr, nullptr);
}

HostX11::~HostX11() {
    if (inputMethod_ != nullptr) XCloseIM(inputMethod_);
    XCloseDisplay(display_);
}

std::unique_ptr<IHostWindow> HostX11::CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                       const HostWindowParams& params) {
    auto window = std::make_unique<X11Window>(*this, hwnd, params);
    if (!window->IsValid()) return nullptr;
    AddWindow(hwnd, sink);
    return window;
}

bool HostX11::WmSupports(Atom atom) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool supported = false;
    if (XGetWindowProperty(display_, DefaultRootWindow(display_), atoms_.netSupported, 0, 4096, False,
                           XA_ATOM, &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !supported; ++i) supported = atoms[i] == atom;
    }
    if (data != nullptr) XFree(data);
    return supported;
}

RECT HostX11::GetWorkArea(const RECT& window) const {
    const int screen = DefaultScreen(display_);
    RECT area{0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // The first desktop's work area (x, y, width, height) leaves out panels and docks.
    if (XGetWindowProperty(display_, DefaultRootWindow(display_), atoms_.netWorkArea, 0, 4, False,
                           XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && count >= 4 && format == 32) {
        const auto* values = reinterpret_cast<const long*>(data);
        if (values[2] > 0 && values[3] > 0)
            area = RECT{static_cast<LONG>(values[0]), static_cast<LONG>(values[1]),
                        static_cast<LONG>(values[0] + values[2]), static_cast<LONG>(values[1] + values[3])};
    }
    if (data != nullptr) XFree(data);
    return NearestMonitorWorkArea(QueryMonitors(display_), window, area);
}

void HostX11::PumpPlatformEvents() {
    XFlush(display_);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (XFilterEvent(&event, None)) continue;  // taken by the input method
        const auto it = windows_.find(event.xany.window);
        if (it != windows_.end()) it->second->HandleEvent(event);
    }
}

void HostX11::WaitForEvents(int timeoutMs) {
    XFlush(display_);
    if (XPending(display_) > 0) return;
    WaitForWake(timeoutMs, ConnectionNumber(display_));
}
