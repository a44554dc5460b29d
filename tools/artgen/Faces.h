// Control faces shared by the wizard's package and the framework's system package: check-box and
// radio strips and the light push-button face. The wizard draws them for its navy ground, the
// system package for light dialog panels; the geometry and state logic are the same.
#pragma once

#include <cairo.h>

class Canvas;

enum class Ground { kNavy, kLight };

// Frame order of buttons: normal, hover, pushed, disabled. Toggles carry these four unchecked and
// then the same four checked: eight frames.
enum FaceState { kFaceNormal = 0, kFaceHover = 1, kFacePushed = 2, kFaceDisabled = 3 };
inline constexpr int kToggleFrames = 8;

// Paints an eight-frame strip of `size` × `size` check boxes or radios onto `canvas`
// (made of eight `size` × `size` cells).
void PaintCheckStrip(Canvas& canvas, int size, Ground ground);
void PaintRadioStrip(Canvas& canvas, int size, Ground ground);

// The light push-button face: pale face, grey rim turning blue on hover and press.
void PaintLightButton(cairo_t* cr, int width, int height, FaceState state);

// Rounded corner radius of push buttons; one pixel inside a nine-grid margin of 5.
inline constexpr double kButtonRadius = 4;
