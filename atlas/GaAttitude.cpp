// The GA attitude indicator: the sliding horizon picture, the bank ring that
// turns with it, the fixed aircraft symbol and the bezel.

#include <cmath>

#include "Art.h"
#include "ArtGeometry.h"

using namespace palette;

namespace {

// Sky above the horizon row, ground below, with the pitch lines a pilot
// reads at one texel per degree.
void DrawGaHorizon(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_HORIZON);
    const double hy = GA_HORIZON_ROW - ATLAS_GA_HORIZON.v0;
    const double cx = AI_HORIZON_CENTRE_X;

    FillSkyAndGround(cr, f.w(), f.h(), hy, kSky, kSkyHigh, kGround, kGroundLow);

    // The horizon bar straddles its row edge; pitch lines fill the texel row
    // just beyond each degree mark, on the side away from the horizon.
    FillRect(cr, 0, hy - 1, f.w(), 2, kMark);
    struct Line { int deg; double half; };
    for (Line l : {Line{5, 6}, Line{10, 12}, Line{15, 6}, Line{20, 17}})
        FillRect(cr, cx - l.half, hy + l.deg, 2 * l.half, 1, kMark);
    for (Line l : {Line{10, 10}, Line{20, 15}})
        FillRect(cr, cx - l.half, hy - l.deg - 1, 2 * l.half, 1, kMark);
    // Ground perspective lines converging on the horizon's centre.
    for (double dx : {-18.0, 18.0}) {
        cairo_move_to(cr, cx + dx * 0.3, hy - 1);
        cairo_line_to(cr, cx + dx * 2.2, hy - 40);
    }
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, {0.95, 0.95, 0.93, 0.75});
    cairo_stroke(cr);
}

// The bank ring: sky and ground halves with the bank marks, turning with the
// horizon; the fixed index on the bezel reads them.
void DrawGaHorizonRing(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_HORIZON_RING);
    const LocalPt c = AI_RING_PIVOT;
    const double r0 = 45.5, r1 = 60.5;
    ArcBand(cr, c.x, c.y, r0, r1, -90, 90, kSkyHigh);
    ArcBand(cr, c.x, c.y, r0, r1, 90, 270, kGroundLow);
    for (int deg : {-30, -20, -10, 10, 20, 30})
        RadialTick(cr, c.x, c.y, 51.0, 58.5, deg, deg % 30 == 0 ? 1.8 : 1.3, kMark);
    for (int deg : {-60, 60})
        RadialTick(cr, c.x, c.y, 48.0, 58.5, deg, 1.8, kMark);
    for (int deg : {-90, 90})
        RadialTick(cr, c.x, c.y, 46.0, 58.5, deg, 2.2, kMark);
    for (int deg : {-45, 45}) {
        Pt tip = Polar(c.x, c.y, 52.5, deg);
        Pt b0 = Polar(c.x, c.y, 58.5, deg - 2.4), b1 = Polar(c.x, c.y, 58.5, deg + 2.4);
        const double t[][2] = {{tip.x, tip.y}, {b0.x, b0.y}, {b1.x, b1.y}};
        Polygon(cr, t, 3);
        SetColour(cr, kMark);
        cairo_fill(cr);
    }
    // Zero: a white triangle pointing at the index.
    Pt tip = Polar(c.x, c.y, 58.5, 0);
    const double t[][2] = {{tip.x, tip.y}, {c.x - 3.6, c.y + 50.5}, {c.x + 3.6, c.y + 50.5}};
    Polygon(cr, t, 3);
    SetColour(cr, kMark);
    cairo_fill(cr);
}

void DrawGaAircraft(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_AIRCRAFT);
    const LocalPt p = AI_AIRCRAFT_PIVOT;  // the symbol's top edge is the pivot's height
    const Rgb outline = {0.12, 0.06, 0.0};
    // Stand from the centre dot down to the adjusting knob's base.
    const double stand[][2] = {{p.x - 1.5, p.y - 4}, {p.x + 1.5, p.y - 4},
                               {p.x + 9, 0.5}, {p.x - 9, 0.5}};
    Polygon(cr, stand, 4);
    SetColour(cr, {0.35, 0.2, 0.06});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.6);
    SetColour(cr, outline);
    cairo_stroke(cr);
    // Wings: two bars level with the pivot, with the centre dot between them.
    for (double side : {-1.0, 1.0}) {
        double x0 = p.x + side * 8.0, x1 = p.x + side * 29.5;
        cairo_rectangle(cr, std::fmin(x0, x1), p.y - 3.4, std::fabs(x1 - x0), 2.8);
    }
    SetColour(cr, kOrange);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.7);
    SetColour(cr, outline);
    cairo_stroke(cr);
    FillCircle(cr, p.x, p.y - 2.0, 2.9, outline);
    FillCircle(cr, p.x, p.y - 2.0, 2.2, kOrange);
}

void DrawGaAttitudeBezel(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_ATTITUDE_BEZEL);
    const LocalPt c = AI_BEZEL_PIVOT;
    for (double dx : {-57.0, 57.0})
        for (double dy : {-57.0, 57.0})
            DrawScrew(cr, c.x + dx, c.y + dy, 40 + dx + dy * 0.5);

    // The case ring around a round window onto the ring and horizon.
    cairo_pattern_t *rim = cairo_pattern_create_linear(c.x - 40, c.y + 50, c.x + 40, c.y - 50);
    cairo_pattern_add_color_stop_rgb(rim, 0.0, 0.42, 0.43, 0.45);
    cairo_pattern_add_color_stop_rgb(rim, 1.0, 0.09, 0.09, 0.10);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, 65.0, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, c.x, c.y, 58.0, 2 * M_PI, 0);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    // A shadow inside the rim, over the ring's outer edge.
    cairo_pattern_t *sh = cairo_pattern_create_radial(c.x, c.y, 55.0, c.x, c.y, 58.0);
    cairo_pattern_add_color_stop_rgba(sh, 0.0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(sh, 1.0, 0, 0, 0, 0.75);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, 58.0, 0, 2 * M_PI);
    cairo_set_source(cr, sh);
    cairo_fill(cr);
    cairo_pattern_destroy(sh);

    // Fixed bank index at the top, and the horizon reference bars at 3 and 9
    // o'clock, level with the horizon at zero pitch.
    const double idx[][2] = {{c.x, c.y + 52.0}, {c.x - 3.8, c.y + 58.5}, {c.x + 3.8, c.y + 58.5}};
    Polygon(cr, idx, 3);
    SetColour(cr, kOrange);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.5);
    SetColour(cr, {0.2, 0.1, 0.0});
    cairo_stroke(cr);
    const double hy = GA_HORIZON_PANEL_Y - GA_BEZEL_PANEL_Y - c.y;
    for (double side : {-1.0, 1.0}) {
        const double bar[][2] = {{c.x + side * 58.5, c.y + hy - 1.3},
                                 {c.x + side * 50.0, c.y + hy - 0.6},
                                 {c.x + side * 50.0, c.y + hy + 0.6},
                                 {c.x + side * 58.5, c.y + hy + 1.3}};
        Polygon(cr, bar, 4);
        SetColour(cr, kOrange);
        cairo_fill(cr);
    }
    DrawKnob(a.cr, c.x, c.y - 71.0, 6.0);
}

}  // namespace

void DrawGaAttitude(const Art &a)
{
    DrawGaHorizon(a);
    DrawGaHorizonRing(a);
    DrawGaAircraft(a);
    DrawGaAttitudeBezel(a);
}
