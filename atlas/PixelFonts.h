#ifndef OSTREL_ATLAS_PIXELFONTS_H
#define OSTREL_ATLAS_PIXELFONTS_H
// Bitmap digit fonts, drawn texel for texel so they stay crisp at one texel
// per panel unit: the barometer (5 x 7), small (3 x 5), large (5 x 9) and
// drum (6 x 10 in a 12-texel cell) faces.

#include <cairo.h>

#include "Canvas.h"

struct PixelFont {
    int w, h;
    const char *const *glyphs[10];  // h rows each, top row first; '#' is ink
};

extern const PixelFont kBaroFont;
extern const PixelFont kSmallFont;
extern const PixelFont kLargeFont;
extern const PixelFont kDrumFont;

// Fills the ink texels of digit d with its lower-left corner at (x, y) of
// the current y-up sprite space (whole numbers keep it on the texel grid).
void DrawGlyph(cairo_t *cr, const PixelFont &font, int d, int x, int y, const Rgb &ink);

// Draws the digits of `text` from (x, y), `advance` texels apart; other
// characters only advance.
void DrawPixelText(cairo_t *cr, const PixelFont &font, const char *text, int x, int y, int advance,
                   const Rgb &ink);
int PixelTextWidth(const PixelFont &font, const char *text, int advance);

// The four font strips of the atlas: barometer, small, large and the drum
// strip with its trailing-0 column.
void DrawFontStrips(cairo_t *cr);

#endif
