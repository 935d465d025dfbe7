// The Glass panel's attitude display: horizon picture with its pitch ladder,
// the roll pointer, the flight director bar and the two aircraft symbols.

#include <cmath>
#include <cstdio>

#include "Art.h"
#include "ArtGeometry.h"
#include "PixelFonts.h"

using namespace palette;

namespace {

const Rgb kPfdSky = {0.15, 0.42, 0.86};
const Rgb kPfdSkyHigh = {0.06, 0.22, 0.62};
const Rgb kPfdGround = {0.52, 0.33, 0.13};
const Rgb kPfdGroundLow = {0.32, 0.19, 0.06};

void DrawGlassHorizon(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GLASS_HORIZON);
    const double hy = GLASS_HORIZON_ROW - ATLAS_GLASS_HORIZON.v0;
    const double cx = GLASS_HORIZON_CENTRE_X;

    FillSkyAndGround(cr, f.w(), f.h(), hy, kPfdSky, kPfdSkyHigh, kPfdGround, kPfdGroundLow);

    FillRect(cr, 0, hy - 1, f.w(), 2, kMark);

    // Pitch ladder: 2.5-degree steps near the horizon, numbered every ten.
    char buf[4];
    for (int q = -32; q <= 32; q++) {  // quarter-tens of degrees, i.e. 2.5 each
        if (q == 0)
            continue;
        double deg = q * 2.5;
        int ad = std::abs(q) * 25;  // tenths of degrees
        double half;
        if (ad % 100 == 0)
            half = 18.0;
        else if (ad % 50 == 0 && ad <= 400)
            half = 9.0;
        else if (ad <= 250)
            half = 4.5;
        else
            continue;
        double y = hy + deg * GLASS_HORIZON_TEXELS_PER_DEGREE;
        cairo_move_to(cr, cx - half, y);
        cairo_line_to(cr, cx + half, y);
        cairo_set_line_width(cr, 1.1);
        SetColour(cr, kMark);
        cairo_stroke(cr);
        if (ad % 100 == 0) {
            std::snprintf(buf, sizeof buf, "%d", ad / 10);
            int w = PixelTextWidth(kSmallFont, buf, 4);
            int gy = int(std::floor(y - 2.0));
            DrawPixelText(cr, kSmallFont, buf, int(cx - half) - 2 - w, gy, 4, kMark);
            DrawPixelText(cr, kSmallFont, buf, int(cx + half) + 3, gy, 4, kMark);
        }
    }
}

const Rgb kOutline = {0.0, 0.0, 0.0};

void FillOutlined(cairo_t *cr, const Rgb &fill, double lw = 0.6)
{
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, lw);
    SetColour(cr, kOutline);
    cairo_stroke(cr);
}

void DrawGlassSymbols(const Art &a)
{
    cairo_t *cr = a.cr;
    {
        // Roll pointer: turns with the horizon under the fixed bank scale; its
        // tip is 64 units from the pivot, at the edge of the open window.
        SpriteFrame f(cr, ATLAS_GLASS_ROLL_POINTER);
        const double t[][2] = {{4.0, 6.0}, {7.4, 0.3}, {0.6, 0.3}};
        Polygon(cr, t, 3);
        FillOutlined(cr, kMark, 0.4);
    }
    {
        // Flight director: a magenta command bar shaped like an inverted V
        // that the aircraft symbol nests under when on command.
        SpriteFrame f(cr, ATLAS_GLASS_FD_BAR);
        for (double side : {-1.0, 1.0}) {
            const double arm[][2] = {{32.0, 9.7}, {32.0 + side * 31.3, 3.8},
                                     {32.0 + side * 31.3, 0.4}, {32.0, 6.6}};
            Polygon(cr, arm, 4);
        }
        FillOutlined(cr, kMagenta, 0.5);
    }
    {
        // Aircraft symbol for flight director use: a yellow delta whose apex
        // is the pitch reference.
        SpriteFrame f(cr, ATLAS_GLASS_AIRCRAFT_FD);
        const double cx = 21.5;
        const double d[][2] = {{cx, 7.6},        {cx + 21.0, 0.5}, {cx + 9.0, 0.5},
                               {cx, 2.6},        {cx - 9.0, 0.5},  {cx - 21.0, 0.5}};
        Polygon(cr, d, 6);
        FillOutlined(cr, kYellow);
    }
    {
        // Plain aircraft symbol: two L-shaped wing bars and a centre square,
        // level with the horizon at zero pitch.
        SpriteFrame f(cr, ATLAS_GLASS_AIRCRAFT);
        const double cx = 37.0, y = GLASS_HORIZON_PANEL_Y - 87;  // the sprite stands at y 87
        for (double side : {-1.0, 1.0}) {
            double outer = cx + side * 35.5, inner = cx + side * 12.5, knee = cx + side * 9.5;
            const double bar[][2] = {{outer, y + 1.5}, {inner, y + 1.5}, {inner, y - 6.5},
                                     {knee, y - 6.5},  {knee, y - 1.5},  {outer, y - 1.5}};
            Polygon(cr, bar, 6);
        }
        cairo_rectangle(cr, cx - 1.8, y - 1.8, 3.6, 3.6);
        FillOutlined(cr, kYellow);
    }
}

}  // namespace

void DrawGlassAttitude(const Art &a)
{
    DrawGlassHorizon(a);
    DrawGlassSymbols(a);
}
