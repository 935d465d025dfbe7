#include "PixelFonts.h"

#include <cstring>

namespace {

// ---- Barometer digits, 5 x 7
const char *const B0[] = {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
const char *const B1[] = {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."};
const char *const B2[] = {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"};
const char *const B3[] = {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."};
const char *const B4[] = {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."};
const char *const B5[] = {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."};
const char *const B6[] = {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."};
const char *const B7[] = {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."};
const char *const B8[] = {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."};
const char *const B9[] = {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."};

// ---- Small digits, 3 x 5
const char *const S0[] = {"###", "#.#", "#.#", "#.#", "###"};
const char *const S1[] = {".#.", "##.", ".#.", ".#.", "###"};
const char *const S2[] = {"###", "..#", "###", "#..", "###"};
const char *const S3[] = {"###", "..#", ".##", "..#", "###"};
const char *const S4[] = {"#.#", "#.#", "###", "..#", "..#"};
const char *const S5[] = {"###", "#..", "###", "..#", "###"};
const char *const S6[] = {"###", "#..", "###", "#.#", "###"};
const char *const S7[] = {"###", "..#", "..#", ".#.", ".#."};
const char *const S8[] = {"###", "#.#", "###", "#.#", "###"};
const char *const S9[] = {"###", "#.#", "###", "..#", "###"};

// ---- Large digits, 5 x 9
const char *const L0[] = {".###.", "#...#", "#...#", "#..##", "#.#.#", "##..#",
                          "#...#", "#...#", ".###."};
const char *const L1[] = {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..",
                          "..#..", "..#..", "#####"};
const char *const L2[] = {".###.", "#...#", "....#", "....#", "...#.", "..#..",
                          ".#...", "#....", "#####"};
const char *const L3[] = {".###.", "#...#", "....#", "....#", "..##.", "....#",
                          "....#", "#...#", ".###."};
const char *const L4[] = {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####",
                          "...#.", "...#.", "...#."};
const char *const L5[] = {"#####", "#....", "#....", "####.", "....#", "....#",
                          "....#", "#...#", ".###."};
const char *const L6[] = {"..##.", ".#...", "#....", "#....", "####.", "#...#",
                          "#...#", "#...#", ".###."};
const char *const L7[] = {"#####", "....#", "....#", "...#.", "...#.", "..#..",
                          "..#..", ".#...", ".#..."};
const char *const L8[] = {".###.", "#...#", "#...#", "#...#", ".###.", "#...#",
                          "#...#", "#...#", ".###."};
const char *const L9[] = {".###.", "#...#", "#...#", "#...#", ".####", "....#",
                          "....#", "...#.", ".##.."};

// ---- Drum digits, 6 x 10, bold strokes like a counter wheel
const char *const D0[] = {".####.", "##..##", "##..##", "##..##", "##..##",
                          "##..##", "##..##", "##..##", "##..##", ".####."};
const char *const D1[] = {"..##..", ".###..", "####..", "..##..", "..##..",
                          "..##..", "..##..", "..##..", "..##..", "######"};
const char *const D2[] = {".####.", "##..##", "....##", "....##", "...##.",
                          "..##..", ".##...", "##....", "##....", "######"};
const char *const D3[] = {".####.", "##..##", "....##", "....##", "..###.",
                          "....##", "....##", "....##", "##..##", ".####."};
const char *const D4[] = {"...##.", "..###.", ".####.", "##.##.", "##.##.",
                          "######", "...##.", "...##.", "...##.", "...##."};
const char *const D5[] = {"######", "##....", "##....", "#####.", "....##",
                          "....##", "....##", "....##", "##..##", ".####."};
const char *const D6[] = {"..###.", ".##...", "##....", "##....", "#####.",
                          "##..##", "##..##", "##..##", "##..##", ".####."};
const char *const D7[] = {"######", "....##", "....##", "...##.", "...##.",
                          "..##..", "..##..", "..##..", "..##..", "..##.."};
const char *const D8[] = {".####.", "##..##", "##..##", "##..##", ".####.",
                          "##..##", "##..##", "##..##", "##..##", ".####."};
const char *const D9[] = {".####.", "##..##", "##..##", "##..##", "##..##",
                          ".#####", "....##", "....##", "...##.", ".###.."};

const Rgb kInk = {1.0, 1.0, 1.0};
const Rgb kDrumFace = {0.02, 0.02, 0.02};

}  // namespace

const PixelFont kBaroFont = {5, 7, {B0, B1, B2, B3, B4, B5, B6, B7, B8, B9}};
const PixelFont kSmallFont = {3, 5, {S0, S1, S2, S3, S4, S5, S6, S7, S8, S9}};
const PixelFont kLargeFont = {5, 9, {L0, L1, L2, L3, L4, L5, L6, L7, L8, L9}};
const PixelFont kDrumFont = {6, 10, {D0, D1, D2, D3, D4, D5, D6, D7, D8, D9}};

void DrawGlyph(cairo_t *cr, const PixelFont &font, int d, int x, int y, const Rgb &ink)
{
    const char *const *rows = font.glyphs[((d % 10) + 10) % 10];
    for (int row = 0; row < font.h; row++)
        for (int col = 0; col < font.w; col++)
            if (rows[row][col] == '#')
                cairo_rectangle(cr, x + col, y + font.h - 1 - row, 1, 1);
    SetColour(cr, ink);
    cairo_fill(cr);
}

void DrawPixelText(cairo_t *cr, const PixelFont &font, const char *text, int x, int y, int advance,
                   const Rgb &ink)
{
    for (const char *c = text; *c; c++, x += advance)
        if (*c >= '0' && *c <= '9')
            DrawGlyph(cr, font, *c - '0', x, y, ink);
}

int PixelTextWidth(const PixelFont &font, const char *text, int advance)
{
    int n = int(std::strlen(text));
    return n == 0 ? 0 : (n - 1) * advance + font.w;
}

void DrawFontStrips(cairo_t *cr)
{
    for (int d = 0; d < 10; d++) {
        {
            AtlasRect c = BaroDigitCell(d);
            SpriteFrame f(cr, c);
            DrawGlyph(cr, kBaroFont, d, 0, 0, kInk);
        }
        {
            AtlasRect c = SmallDigitCell(d);
            SpriteFrame f(cr, c);
            DrawGlyph(cr, kSmallFont, d, 0, 0, kInk);
        }
        {
            AtlasRect c = LargeDigitCell(d);
            SpriteFrame f(cr, c);
            DrawGlyph(cr, kLargeFont, d, 0, 0, kInk);
        }
    }

    // Drum strip: a dark wheel face with one digit per 12-texel cell from
    // DrumCell(0), then a second 0, with the top of a 9 below the first cell
    // and the bottom of a 1 above the last; beside each digit the trailing 0
    // of the two-digit window scrolls with it.
    const int glyphDy = (DRUM_CELL_H - kDrumFont.h) / 2;
    {
        SpriteFrame f(cr, ATLAS_DRUM);
        FillRect(cr, 0, 0, f.w(), f.h(), kDrumFace);
        for (int cell = -1; cell <= 11; cell++) {
            int y = DrumCell(cell) - ATLAS_DRUM.v0 + glyphDy;
            DrawGlyph(cr, kDrumFont, cell, DRUM_U0 - ATLAS_DRUM.u0, y, kInk);
            DrawGlyph(cr, kDrumFont, 0, DRUM_U1 - ATLAS_DRUM.u0 + 1, y, kInk);
        }
    }

    // The altitude readout's minus sign: a bar across the middle of a cell
    // of the same face, as wide as a digit's strokes leave room for.
    SpriteFrame m(cr, ATLAS_DRUM_MINUS);
    FillRect(cr, 0, 0, m.w(), m.h(), kDrumFace);
    cairo_rectangle(cr, 1, glyphDy + kDrumFont.h / 2 - 1, m.w() - 2, 2);
    SetColour(cr, kInk);
    cairo_fill(cr);
}
