#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "IcoWriter.h"

// The window and program icon: the emblem filling the icon square, one drawing per size so
// each is rasterised at its own resolution instead of being scaled. The sizes cover the 16 and 32
// pixel icons at every display scale.
void DrawAppIcon(ArtWriter& out) {
    IcoWriter ico;
    for (int size : {16, 20, 24, 32, 40, 48, 64, 80, 256}) {
        Canvas canvas(size, size);
        DrawEmblem(canvas.Cr(), size / 2.0, size / 2.0, size);
        ico.AddPng(size, canvas.EncodePng());
    }
    out.AppBytes(ico.Encode(), "icon/icon_logo.ico");
}
