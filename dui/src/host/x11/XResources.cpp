#include "dui/src/host/x11/XResources.h"

#include <X11/Xatom.h>

#include <cstdlib>

std::string ReadResourceDatabase(Display* display) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, 0, 1 << 20, False,
                           XA_STRING, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) XFree(data);
    return text;
}

std::optional<double> XftDpi(std::string_view database) {
    constexpr std::string_view kName = "Xft.dpi:";
    std::optional<double> dpi;
    while (!database.empty()) {
        const std::size_t end = database.find('\n');
        std::string_view line = database.substr(0, end);
        database = end == std::string_view::npos ? std::string_view() : database.substr(end + 1);
        if (line.substr(0, kName.size()) != kName) continue;
        const std::string value(line.substr(kName.size()));
        char* stop = nullptr;
        const double parsed = std::strtod(value.c_str(), &stop);
        while (*stop == ' ' || *stop == '\t' || *stop == '\r') ++stop;
        // Like the resource manager, the last entry of a name wins.
        dpi = parsed > 0 && *stop == '\0' ? std::optional<double>(parsed) : std::nullopt;
    }
    return dpi;
}
