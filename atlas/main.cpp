// ostrel_atlas_gen: draws the master texture and writes it as a TGA file,
// optionally with a sprite sheet for review. Pictures of the panels composed
// from the texture come from flyer-sim, through the plug-in's own renderers.
//
//   ostrel_atlas_gen --out Ostrel.tga [--sheet sheet.png] [--fonts DIR]

#include <cstdio>
#include <exception>
#include <string>

#include "Art.h"
#include "Canvas.h"
#include "Review.h"
#include "TgaOutput.h"
#include "Text.h"

#ifndef OSTREL_FONT_DIR
#define OSTREL_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace {

struct Options {
    std::string out, sheet, fonts = OSTREL_FONT_DIR;
};

int Usage(const char *argv0)
{
    std::fprintf(stderr,
                 "usage: %s --out FILE.tga [--sheet FILE.png] [--fonts DIR]\n",
                 argv0);
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        std::string *target = arg == "--out"      ? &o.out
                              : arg == "--sheet"  ? &o.sheet
                              : arg == "--fonts"  ? &o.fonts
                                                  : nullptr;
        if (!target || i + 1 >= argc)
            return Usage(argv[0]);
        *target = argv[++i];
    }
    if (o.out.empty() && o.sheet.empty())
        return Usage(argv[0]);

    try {
        Fonts fonts(o.fonts);
        AtlasCanvas canvas;
        DrawAtlas(Art{canvas.cr(), fonts});
        canvas.ClearFrame();
        if (!o.out.empty())
            WriteTga(o.out, StraightRgba(canvas.surface()), ATLAS_SIZE, ATLAS_SIZE);
        if (!o.sheet.empty())
            WriteSpriteSheet(canvas.surface(), fonts, o.sheet);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "ostrel_atlas_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
