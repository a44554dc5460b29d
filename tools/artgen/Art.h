// The artwork groups. Each function draws one family of pictures and hands them to the writer.
#pragma once

#include <cairo.h>

#include "Colour.h"

class ArtWriter;

// The display scales every picture is drawn for, in percent (the framework's picture scales).
inline constexpr int kArtScales[] = {100, 125, 150, 200, 250};

void DrawWindowArt(ArtWriter& out);      // background, logo, caption and panel close buttons
void DrawButtonArt(ArtWriter& out);      // push-button faces
void DrawFormArt(ArtWriter& out);        // check boxes, radios, edit frames, progress bar
void DrawNoticeArt(ArtWriter& out);      // info icons, QR code
void DrawFunctionIcons(ArtWriter& out);  // the twelve feature icons of the progress page
void DrawWaitingGif(ArtWriter& out);     // the component check animation
void DrawAppIcon(ArtWriter& out);        // ICON_LOGO at 16 and 32 pixels
void DrawSystemArt(ArtWriter& out);      // pictures of the framework's system package

// The product emblem centred on (cx, cy) with the given diameter; shared by logo and icon.
void DrawEmblem(cairo_t* cr, double cx, double cy, double diameter);

// The colour of the window background at (x, y), for artwork that must be matted onto it.
Colour BackgroundAt(int x, int y);
