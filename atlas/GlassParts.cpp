// The Glass panel's readout boxes, heading box, glideslope pointer and the
// vertical speed scale and needle.

#include <cmath>

#include "Art.h"
#include "ArtGeometry.h"
#include "GaugeScales.h"
#include "PixelFonts.h"

using namespace palette;

namespace {

void FillAndFrame(cairo_t *cr)
{
    SetColour(cr, {0.0, 0.0, 0.0});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, kMark);
    cairo_stroke(cr);
}

void DrawReadoutBoxes(const Art &a)
{
    cairo_t *cr = a.cr;
    {
        // Airspeed: three drums, the units drum in a taller window; the point
        // touches the tape's ticks at its centre line (panel y 95).
        SpriteFrame f(cr, ATLAS_GLASS_SPEED_BOX);
        const double pts[][2] = {{0.5, 5.5},   {16.5, 5.5},  {16.5, 0.5}, {24.5, 0.5},
                                 {24.5, 11.0}, {26.6, 14.0}, {24.5, 17.0}, {24.5, 26.5},
                                 {16.5, 26.5}, {16.5, 21.5}, {0.5, 21.5}};
        Polygon(cr, pts, 11);
        FillAndFrame(cr);
    }
    {
        // Altitude: three drums and the two-digit window, pointing left at the
        // tape's centre line.
        SpriteFrame f(cr, ATLAS_GLASS_ALT_BOX);
        const double pts[][2] = {{0.4, 16.0},  {3.5, 19.0},  {3.5, 23.5},  {25.5, 23.5},
                                 {25.5, 28.5}, {40.5, 28.5}, {40.5, 2.5},  {25.5, 2.5},
                                 {25.5, 8.5},  {3.5, 8.5},   {3.5, 13.0}};
        Polygon(cr, pts, 11);
        FillAndFrame(cr);
    }
    {
        // Heading box: open at the top, where the plate carries on its frame
        // above the readout's top row; its point marks the card's top.
        SpriteFrame f(cr, ATLAS_GLASS_HEADING_BOX);
        cairo_move_to(cr, 12.5, 14.5);
        cairo_line_to(cr, 12.5, 4.5);
        cairo_line_to(cr, 20.0, 4.5);
        cairo_line_to(cr, 23.0, 0.7);
        cairo_line_to(cr, 26.0, 4.5);
        cairo_line_to(cr, 34.5, 4.5);
        cairo_line_to(cr, 34.5, 14.5);
        SetColour(cr, {0.0, 0.0, 0.0});
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.0);
        SetColour(cr, kMark);
        cairo_stroke(cr);
    }
    {
        SpriteFrame f(cr, ATLAS_GLASS_GS_POINTER);
        const double d[][2] = {{0.3, 2.5}, {3.0, 4.8}, {5.7, 2.5}, {3.0, 0.2}};
        Polygon(cr, d, 4);
        SetColour(cr, kMagenta);
        cairo_fill(cr);
    }
}

// The needle's turn for a rate in ft/min, radians counter-clockwise: -a in
// a climb, +a otherwise.
double GlassVsiTurn(int fpm)
{
    double a = GlassVerticalSpeedAngle(std::fabs(float(fpm)) / 1000.0f) * M_PI / 180.0;
    return fpm > 0 ? -a : a;
}

// Where the turned needle's centre line (GLASS_VSI_NEEDLE_OFFSET above the
// pivot at rest, pointing left) crosses the column at panel x. Panel units.
double GlassVsiCrossing(int fpm, double x)
{
    const double th = GlassVsiTurn(fpm), c = GLASS_VSI_NEEDLE_OFFSET;
    // Points of the line: pivot + R(th) (-t, c); solve its x for t.
    double t = (GLASS_VSI_PIVOT.x - x - c * std::sin(th)) / std::cos(th);
    return GLASS_VSI_PIVOT.y - t * std::sin(th) + c * std::cos(th);
}

// The scale's marks, each a level tick from x0 to x1 (scale texels) centred
// where the needle's centre line crosses the tick's middle column. They hang
// off the opening's left edge, where the plate cuts the needle off, so the
// needle ends on the mark it reads; past 2000 ft/min its tip ends inside the
// opening and it points at the 4000 mark, set in from the corner where its
// line leaves the opening. The labels (thousands of ft/min) are printed on
// the plate beside the opening: the needle is hidden there, so it never runs
// through a label it does not read.
struct VsiMark {
    int fpm;
    double x0, x1;
    const char *label;
};
constexpr VsiMark kVsiMarks[] = {{0, 0, 7, nullptr},    {500, 0, 2, nullptr}, {1000, 0, 4, "1"},
                                 {1500, 0, 2, nullptr}, {2000, 0, 4, "2"},    {4000, 1, 5, "4"}};

// A mark's texel row in panel units: the one whose middle is nearest the
// crossing.
double VsiMarkRow(const VsiMark &m, int sign)
{
    const double x = GLASS_VSI_SCALE_ORIGIN.x + (m.x0 + m.x1) / 2;
    return std::round(GlassVsiCrossing(sign * m.fpm, x) - 0.5);
}

void DrawGlassVsi(const Art &a)
{
    cairo_t *cr = a.cr;
    {
        SpriteFrame f(cr, ATLAS_GLASS_VSI_SCALE);
        FillRect(cr, 0, 0, f.w(), f.h(), {0.17, 0.18, 0.19});
        const LocalPt o = GLASS_VSI_SCALE_ORIGIN;
        for (int sign : {1, -1})
            for (const VsiMark &m : kVsiMarks)
                if (m.fpm != 0 || sign > 0)
                    FillRect(cr, m.x0, VsiMarkRow(m, sign) - o.y, m.x1 - m.x0, 1.0, kMark);
    }
    {
        SpriteFrame f(cr, ATLAS_GLASS_VSI_NEEDLE);
        const double c = GLASS_VSI_NEEDLE_OFFSET;
        const double pts[][2] = {{0.3, c}, {5.0, c - 1.1}, {f.w(), c - 1.1}, {f.w(), c + 1.1},
                                 {5.0, c + 1.1}};
        Polygon(cr, pts, 5);
        SetColour(cr, kMark);
        cairo_fill(cr);
    }
}

}  // namespace

void DrawGlassVsiLabels(cairo_t *cr)
{
    // Right-aligned one column short of the opening's frame (panel x 350),
    // centred on the mark's row. The altitude readout box (panel y 79 to 110,
    // up to x 348) lies between the 1000 ft/min labels, clear of them all.
    const int right = int(GLASS_VSI_SCALE_ORIGIN.x) - 2;
    for (int sign : {1, -1})
        for (const VsiMark &m : kVsiMarks)
            if (m.label)
                DrawPixelText(cr, kSmallFont, m.label,
                              right - PixelTextWidth(kSmallFont, m.label, 4),
                              int(VsiMarkRow(m, sign)) - 2, 4, kMark);
}

void DrawGlassParts(const Art &a)
{
    DrawReadoutBoxes(a);
    DrawGlassVsi(a);
}
