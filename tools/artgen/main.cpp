// artgen: draws the wizard's pictures into app/res and the framework's system pictures into
// dui/res. Usage: artgen <app-res-folder> <dui-res-folder>. Exit code 0 when every file was
// written. The output is deterministic, so regenerating leaves unchanged pictures byte-identical.
#include <cstdio>

#include "Art.h"
#include "ArtWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen <app-res-folder> <dui-res-folder>\n");
        return 2;
    }
    ArtWriter out(argv[1], argv[2]);
    DrawWindowArt(out);
    DrawButtonArt(out);
    DrawFormArt(out);
    DrawNoticeArt(out);
    DrawFunctionIcons(out);
    DrawWaitingGif(out);
    DrawAppIcon(out);
    DrawSystemArt(out);
    std::printf("artgen: %d files\n", out.Count());
    return out.Ok() ? 0 : 1;
}
