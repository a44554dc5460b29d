// The wizard's palette. Every picture draws from these few colours so the window reads as one
// product: a deep navy ground, one bright accent blue, white text and neutral greys for panels.
#pragma once

#include "Colour.h"

namespace palette {

inline constexpr Colour kNavyTop = Colour::Hex(0x113e6e);     // window ground, top
inline constexpr Colour kNavyBottom = Colour::Hex(0x0a2545);  // window ground, bottom
inline constexpr Colour kCaption = Colour::Hex(0x0c2d52);     // caption band
inline constexpr Colour kAccent = Colour::Hex(0x2f8df5);      // buttons, progress, ticks
inline constexpr Colour kAccentLight = Colour::Hex(0x5aa9ff);
inline constexpr Colour kAccentDark = Colour::Hex(0x1a68c9);
inline constexpr Colour kCyan = Colour::Hex(0x3fd0f0);  // second accent for highlights
inline constexpr Colour kWhite = Colour::Hex(0xffffff);
inline constexpr Colour kPaper = Colour::Hex(0xf5f8fc);         // light button faces
inline constexpr Colour kLine = Colour::Hex(0xc7d2df);          // light borders
inline constexpr Colour kGreyText = Colour::Hex(0x8a97a8);      // glyphs on light faces
inline constexpr Colour kInk = Colour::Hex(0x2b3a4d);           // dark glyphs
inline constexpr Colour kDisabledFace = Colour::Hex(0x7f8fa3);  // disabled faces on the navy ground
inline constexpr Colour kDanger = Colour::Hex(0xe5484d);        // close button hover
inline constexpr Colour kAmber = Colour::Hex(0xf5b82e);         // notices next to links

}  // namespace palette
