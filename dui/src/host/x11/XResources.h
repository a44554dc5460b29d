// The X resource database text of a screen (the RESOURCE_MANAGER property that xrdb and the
// desktop's settings daemon set on the root window), and the one value the host reads from it.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <string_view>

// The root window's RESOURCE_MANAGER text as it is now; empty when there is none.
std::string ReadResourceDatabase(Display* display);
// "Xft.dpi" of such a text ("Xft.dpi:\t192"); nothing when absent or not a positive number.
std::optional<double> XftDpi(std::string_view database);
