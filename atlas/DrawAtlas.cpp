#include "Art.h"
#include "PixelFonts.h"

void DrawAtlas(const Art &a)
{
    // The horizon pictures first: the GA plate's rectangle overlaps the top
    // rows of both pictures' ranges and keeps those rows as its own edge.
    DrawGaAttitude(a);
    DrawGlassAttitude(a);
    DrawGaPlate(a);
    DrawGaDials(a);
    DrawGaNeedles(a);
    DrawAnnunciators(a);
    DrawHeadingCard(a);
    DrawBall(a);
    DrawHsiParts(a);
    DrawGlassParts(a);
    DrawGlassPlate(a);
    DrawFontStrips(a.cr);
    DrawSplash(a);
}
