// ostrel-tga-check FILE: loads FILE with the plug-in's TGA loader; exits 0
// when it loads as the master texture (ATLAS_SIZE square), 1 otherwise.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "AtlasRects.h"
#include "TGALoader.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ostrel-tga-check FILE\n");
        return 2;
    }
    std::string path = argv[1];
    Texture t = {};
    if (!LoadTGA(&t, path.data())) {
        std::fprintf(stderr, "ostrel-tga-check: %s does not load\n", argv[1]);
        return 1;
    }
    std::free(t.pixels);
    std::printf("%s: %u x %u, %u bits per pixel\n", argv[1], t.imageWidth, t.imageHeight, t.bitsPerPixel);
    return t.imageWidth == ATLAS_SIZE && t.imageHeight == ATLAS_SIZE ? 0 : 1;
}
