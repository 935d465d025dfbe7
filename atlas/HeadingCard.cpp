// The compass card both panels turn by the heading, and the HSI's pointers.
// The card is printed with each heading at that many degrees clockwise from
// the top, so turning it counter-clockwise by the heading brings the
// heading's mark under the lubber line, reading upright.

#include <cmath>
#include <cstdio>

#include "Art.h"
#include "ArtGeometry.h"

using namespace palette;

void DrawHeadingCard(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_HEADING_CARD);
    const LocalPt c = CARD_PIVOT;
    FillCircle(cr, c.x, c.y, 55.9, {0.0, 0.0, 0.0});
    FillCircle(cr, c.x, c.y, 55.2, kFace);
    for (int deg = 0; deg < 360; deg += 5) {
        bool major = deg % 10 == 0;
        RadialTick(cr, c.x, c.y, major ? 47.5 : 51.0, 55.6, deg, major ? 1.5 : 1.1, kMark);
    }
    static const char *const kCardinal[] = {"N", "E", "S", "W"};
    char buf[4];
    for (int deg = 0; deg < 360; deg += 30) {
        Pt p = Polar(c.x, c.y, 39.5, deg);
        bool cardinal = deg % 90 == 0;
        if (cardinal)
            std::snprintf(buf, sizeof buf, "%s", kCardinal[deg / 90]);
        else
            std::snprintf(buf, sizeof buf, "%d", deg / 10);
        SetColour(cr, kMark);
        DrawText(cr, a.fonts, Face::CondensedBold, cardinal ? 12.0 : 10.5, buf, p.x, p.y,
                 Anchor::Centre, deg);
    }
}

void DrawHsiParts(const Art &a)
{
    cairo_t *cr = a.cr;
    const Rgb outline = {0.0, 0.12, 0.02};
    {
        // Course pointer: arrow head and shaft above the deviation scale, tail
        // below it; the gap between is where the CDI bar travels.
        SpriteFrame f(cr, ATLAS_GLASS_COURSE_POINTER);
        const double cx = 5.0, py = 52.5;  // pivot within the sprite
        const double head[][2] = {{cx, py + 52.0}, {cx + 4.6, py + 41.0}, {cx + 1.3, py + 41.0},
                                  {cx + 1.3, py + 25.0}, {cx - 1.3, py + 25.0},
                                  {cx - 1.3, py + 41.0}, {cx - 4.6, py + 41.0}};
        Polygon(cr, head, 7);
        cairo_rectangle(cr, cx - 1.3, py - 52.0, 2.6, 24.0);
        SetColour(cr, kNavGreen);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.5);
        SetColour(cr, outline);
        cairo_stroke(cr);
    }
    {
        // Deviation dots at one and two dots either side (ten units a dot).
        SpriteFrame f(cr, ATLAS_GLASS_DEVIATION_SCALE);
        for (int k : {-2, -1, 1, 2}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, 29.0 + 10.0 * k, 3.0, 2.0, 0, 2 * M_PI);
        }
        cairo_set_line_width(cr, 1.0);
        SetColour(cr, kMark);
        cairo_stroke(cr);
    }
    {
        SpriteFrame f(cr, ATLAS_GLASS_CDI_BAR);
        FillRect(cr, 0, 0, f.w(), f.h(), kNavGreen);
    }
    {
        // HDG marker: a notched bug on the card's edge.
        SpriteFrame f(cr, ATLAS_GLASS_HDG_MARKER);
        const double pts[][2] = {{0.4, 0.4}, {11.6, 0.4}, {11.6, 6.6}, {8.0, 6.6},
                                 {6.0, 3.4}, {4.0, 6.6},  {0.4, 6.6}};
        Polygon(cr, pts, 7);
        SetColour(cr, kCyan);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.5);
        SetColour(cr, {0.0, 0.15, 0.2});
        cairo_stroke(cr);
    }
    {
        // The HSI's own aircraft, seen from above, nose up.
        SpriteFrame f(cr, ATLAS_GLASS_HSI_AIRCRAFT);
        const double x = 9.0, y = 9.5;
        const double plane[][2] = {
            {x, y + 9},           {x + 1.2, y + 6.5},  {x + 1.2, y + 2.5}, {x + 8.6, y - 0.5},
            {x + 8.6, y - 2.2},   {x + 1.2, y - 1.2},  {x + 0.9, y - 5.5}, {x + 3.8, y - 7.6},
            {x + 3.8, y - 9.0},   {x, y - 8.2},        {x - 3.8, y - 9.0}, {x - 3.8, y - 7.6},
            {x - 0.9, y - 5.5},   {x - 1.2, y - 1.2},  {x - 8.6, y - 2.2}, {x - 8.6, y - 0.5},
            {x - 1.2, y + 2.5},   {x - 1.2, y + 6.5},
        };
        Polygon(cr, plane, 18);
        SetColour(cr, kMark);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.5);
        SetColour(cr, {0.1, 0.1, 0.1});
        cairo_stroke(cr);
    }
}
