// Instrument furniture shared by the GA dials: the bezel and face, mounting
// screws, setting knobs, and the needles.

#include <cmath>

#include "Art.h"
#include "ArtGeometry.h"

using namespace palette;

constexpr double kBezelR = 65.0;  // outer edge of every GA instrument
constexpr double kFaceR = 59.5;

void DrawDialBody(const Art &a, double cx, double cy)
{
    cairo_t *cr = a.cr;
    // Outer rim lit from the upper left, an inner lip shaded the other way:
    // the bevel of a round instrument case.
    cairo_pattern_t *rim = cairo_pattern_create_linear(cx - 40, cy + 50, cx + 40, cy - 50);
    cairo_pattern_add_color_stop_rgb(rim, 0.0, 0.42, 0.43, 0.45);
    cairo_pattern_add_color_stop_rgb(rim, 1.0, 0.09, 0.09, 0.10);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, kBezelR, 0, 2 * M_PI);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);

    cairo_pattern_t *lip = cairo_pattern_create_linear(cx - 40, cy + 50, cx + 40, cy - 50);
    cairo_pattern_add_color_stop_rgb(lip, 0.0, 0.07, 0.07, 0.08);
    cairo_pattern_add_color_stop_rgb(lip, 1.0, 0.30, 0.31, 0.33);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, 62.0, 0, 2 * M_PI);
    cairo_set_source(cr, lip);
    cairo_fill(cr);
    cairo_pattern_destroy(lip);

    FillCircle(cr, cx, cy, kFaceR + 0.8, {0.0, 0.0, 0.0});
    FillCircle(cr, cx, cy, kFaceR, kFace);
}

void DrawScrew(cairo_t *cr, double x, double y, double slotDeg)
{
    cairo_pattern_t *p = cairo_pattern_create_linear(x - 2, y + 2, x + 2, y - 2);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.62, 0.62, 0.60);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.22, 0.22, 0.22);
    FillCircle(cr, x, y, 3.2, {0.05, 0.05, 0.05});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, 2.6, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    Pt s0 = Polar(x, y, 2.4, slotDeg), s1 = Polar(x, y, 2.4, slotDeg + 180);
    cairo_move_to(cr, s0.x, s0.y);
    cairo_line_to(cr, s1.x, s1.y);
    cairo_set_line_width(cr, 0.9);
    SetColour(cr, {0.08, 0.08, 0.08});
    cairo_stroke(cr);
}

void DrawKnob(cairo_t *cr, double x, double y, double r)
{
    FillCircle(cr, x, y, r + 0.8, {0.02, 0.02, 0.02});
    cairo_pattern_t *p = cairo_pattern_create_radial(x - r * 0.3, y + r * 0.3, 0.5, x, y, r);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.38, 0.38, 0.40);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.10, 0.10, 0.11);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int i = 0; i < 24; i++)  // knurled edge
        RadialTick(cr, x, y, r - 1.4, r, i * 15.0, 0.7, {0.04, 0.04, 0.04});
}

namespace {

// A white pointer standing straight up from (px, py): a tapered shaft from
// the tail to a pointed tip, over a dark hub on the pivot.
struct NeedleShape {
    double length;     // pivot to tip
    double tail;       // pivot to tail end
    double baseHalf;   // half width at the pivot
    double bodyHalf;   // half width where the tip begins
    double tipStart;   // distance from the pivot where the point begins
    double tailHalf;   // half width of the tail
    double hubR;
};

void DrawNeedle(cairo_t *cr, double px, double py, const NeedleShape &s)
{
    const double pts[][2] = {
        {px - s.tailHalf, py - s.tail}, {px - s.baseHalf, py},
        {px - s.bodyHalf, py + s.tipStart}, {px, py + s.length},
        {px + s.bodyHalf, py + s.tipStart}, {px + s.baseHalf, py},
        {px + s.tailHalf, py - s.tail},
    };
    Polygon(cr, pts, 7);
    SetColour(cr, {0.97, 0.97, 0.95});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.35);
    SetColour(cr, {0.25, 0.25, 0.25});
    cairo_stroke(cr);

    FillCircle(cr, px, py, s.hubR, {0.55, 0.55, 0.56});
    FillCircle(cr, px, py, s.hubR - 0.8, {0.10, 0.10, 0.11});
    FillCircle(cr, px, py, 1.0, {0.35, 0.35, 0.36});
}

void Needle(cairo_t *cr, const AtlasRect &r, LocalPt pivot, const NeedleShape &s)
{
    SpriteFrame f(cr, r);
    DrawNeedle(cr, pivot.x, pivot.y, s);
}

}  // namespace

void DrawGaNeedles(const Art &a)
{
    // Airspeed: long and slim, reaching the graduations.
    Needle(a.cr, ATLAS_GA_AIRSPEED_NEEDLE, ASI_NEEDLE_PIVOT,
           {57.0, 3.0, 1.7, 1.5, 47.0, 1.4, 4.3});
    // Altimeter thousands: short and broad, reaching the numerals.
    Needle(a.cr, ATLAS_GA_ALT_THOUSANDS_NEEDLE, ALT_THOUSANDS_PIVOT,
           {38.5, 14.0, 1.6, 3.6, 20.0, 1.1, 4.4});
    // Altimeter hundreds: long and thin with a counterweight tail.
    Needle(a.cr, ATLAS_GA_ALT_HUNDREDS_NEEDLE, ALT_HUNDREDS_PIVOT,
           {46.5, 19.0, 1.4, 1.1, 38.0, 1.6, 3.6});
    // Vertical speed.
    Needle(a.cr, ATLAS_GA_VSI_NEEDLE, VSI_NEEDLE_PIVOT, {53.0, 3.0, 1.7, 1.5, 43.0, 1.4, 3.9});
}
