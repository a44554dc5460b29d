#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "IcoWriter.h"

// The window and program icon: the emblem filling the icon square, one drawing per size so
// each is rasterised at its own resolution instead of being scaled.
void DrawAppIcon(ArtWriter& out) {
    IcoWriter ico;
    for (int size : {16, 32, 48, 256}) {
        Canvas canvas(size, size);
        DrawEmblem(canvas.Cr(), size / 2.0, size / 2.0, size);
        ico.AddPng(size, canvas.EncodePng());
    }
    out.AppBytes(ico.Encode(), "icon/icon_logo.ico");
}
