// artgen: draws the wizard's pictures into app/res and the framework's system pictures into
// dui/res, each at every display scale the framework picks pictures for. Usage:
// artgen <app-res-folder> <dui-res-folder>. Exit code 0 when every file was written. The output is
// deterministic, so regenerating leaves unchanged pictures byte-identical.
#include <cstdio>

#include "Art.h"
#include "ArtWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen <app-res-folder> <dui-res-folder>\n");
        return 2;
    }
    int files = 0;
    bool ok = true;
    for (int scale : kArtScales) {
        ArtWriter out(argv[1], argv[2], scale);
        DrawWindowArt(out);
        DrawButtonArt(out);
        DrawFormArt(out);
        DrawNoticeArt(out);
        DrawFunctionIcons(out);
        DrawWaitingGif(out);
        DrawSystemArt(out);
        // One icon file holds every size the window manager may ask for.
        if (scale == 100) DrawAppIcon(out);
        files += out.Count();
        ok = ok && out.Ok();
    }
    std::printf("artgen: %d files\n", files);
    return ok ? 0 : 1;
}
