// The display scale of a host window in percent (100 = 96 dots per inch). The platform says what
// the screen has (a monitor's DPI on Windows, Xft.dpi on X11); LARKHOLM_SCALE=150 replaces what
// it says, for tests and for desktops that report nothing. Any thread.
#pragma once

#include <optional>
#include <string_view>

inline constexpr int kMinDisplayScale = 50;
inline constexpr int kMaxDisplayScale = 500;

// dpi × 100 / 96, rounded, kept within [kMinDisplayScale, kMaxDisplayScale]; 100 for a DPI that
// is not positive.
int ScaleFromDpi(double dpi);
// The LARKHOLM_SCALE value when it is a whole number within the range; a value that is not (or an
// unset variable) gives nothing, and a bad one is logged so the tester sees why it was ignored.
std::optional<int> ScaleOverride();
// What the window is drawn at: the override when set, else `platformScale`.
int EffectiveScale(int platformScale);
