// The GA panel's dial faces. Every graduation is placed with the renderers'
// own needle mappings, so a mark printed for a value is where the needle
// points at that value.

#include <cmath>
#include <cstdio>

#include "Art.h"
#include "ArtGeometry.h"
#include "GaugeScales.h"

using namespace palette;

namespace {

// Screws in the corners of a square instrument flange, except where a knob sits.
void FlangeScrews(cairo_t *cr, LocalPt c, bool lowerLeft, bool lowerRight)
{
    const double d = 57.0;
    DrawScrew(cr, c.x - d, c.y + d, 30);
    DrawScrew(cr, c.x + d, c.y + d, 120);
    if (lowerLeft)
        DrawScrew(cr, c.x - d, c.y - d, 75);
    if (lowerRight)
        DrawScrew(cr, c.x + d, c.y - d, 160);
}

void Label(const Art &a, Face face, double size, const char *text, double x, double y,
           const Rgb &c = kMark)
{
    SetColour(a.cr, c);
    DrawText(a.cr, a.fonts, face, size, text, x, y);
}

// ---- Airspeed indicator: knots, with the white, green and yellow arcs and
// the red line of a light single.
constexpr double kVs0 = 40, kVfe = 85, kVs1 = 50, kVno = 129, kVne = 163;

void DrawAirspeedDial(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_AIRSPEED_DIAL);
    const LocalPt c = ASI_PIVOT;
    FlangeScrews(cr, c, true, true);
    DrawDialBody(a, c.x, c.y);

    auto ang = [](double kt) { return double(AirspeedDialValue(float(kt))); };
    ArcBand(cr, c.x, c.y, 51.8, 54.6, ang(kVs0), ang(kVfe), {0.95, 0.95, 0.95});
    ArcBand(cr, c.x, c.y, 54.9, 58.6, ang(kVs1), ang(kVno), {0.10, 0.75, 0.22});
    ArcBand(cr, c.x, c.y, 54.9, 58.6, ang(kVno), ang(kVne), {1.0, 0.85, 0.05});
    RadialTick(cr, c.x, c.y, 50.0, 59.0, ang(kVne), 2.0, {0.95, 0.12, 0.10});

    for (int kt = 40; kt <= 200; kt += 5) {
        bool major = kt % 10 == 0;
        RadialTick(cr, c.x, c.y, major ? 44.0 : 47.5, 51.5, ang(kt), major ? 1.6 : 1.1, kMark);
    }
    char buf[8];
    for (int kt = 40; kt <= 200; kt += 20) {
        Pt p = Polar(c.x, c.y, kt >= 100 ? 33.5 : 35.5, ang(kt));
        std::snprintf(buf, sizeof buf, "%d", kt);
        Label(a, Face::CondensedBold, 9.5, buf, p.x, p.y);
    }
    Label(a, Face::CondensedBold, 6.5, "KNOTS", c.x, c.y + 20);
    Label(a, Face::CondensedBold, 5.5, "AIRSPEED", c.x, c.y - 21, {0.85, 0.85, 0.83});
}

// ---- Altimeter: 0 to 9 around, 100 ft per number with 50-ft ticks; the
// barometer setting shows in a dark window below the pivot.
void DrawAltimeterDial(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_ALTIMETER_DIAL);
    const LocalPt c = ALT_PIVOT;
    FlangeScrews(cr, c, false, true);
    DrawDialBody(a, c.x, c.y);
    DrawKnob(a.cr, c.x - 56, c.y - 59, 7.0);

    for (int ft = 0; ft < 1000; ft += 50) {
        bool major = ft % 100 == 0;
        double deg = AltimeterHundredsAngle(float(ft));
        RadialTick(cr, c.x, c.y, major ? 46.5 : 52.0, 58.0, deg, major ? 1.7 : 1.1, kMark);
    }
    char buf[4];
    for (int d = 0; d < 10; d++) {
        Pt p = Polar(c.x, c.y, 38.0, AltimeterHundredsAngle(d * 100.0f));
        std::snprintf(buf, sizeof buf, "%d", d);
        Label(a, Face::CondensedBold, 11.0, buf, p.x, p.y);
    }

    // Barometer window: four cells of 7 texels, 5 wide each; a printed
    // decimal point after the second digit reads 29.92.
    const double wx = BARO_WINDOW.x, wy = BARO_WINDOW.y;
    FillRect(cr, wx - 2.0, wy - 2.0, 4 * 7 + 2.0, 7 + 4.0, {0.45, 0.45, 0.46});
    FillRect(cr, wx - 1.0, wy - 1.0, 4 * 7, 7 + 2.0, {0.0, 0.0, 0.0});
    FillRect(cr, wx + 12, wy, 1, 1, kMark);
    Label(a, Face::CondensedBold, 5.0, "IN HG", c.x, wy + 12.5, {0.85, 0.85, 0.83});
    Label(a, Face::CondensedBold, 7.0, "ALT", c.x - 20, c.y + 1);
    Label(a, Face::CondensedBold, 5.0, "100 FEET", c.x + 20, c.y + 1, {0.85, 0.85, 0.83});
}

// ---- Turn coordinator: wings-level and standard-rate marks, L and R.
void DrawTurnDial(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_TURN_DIAL);
    const LocalPt c = TURN_PIVOT;
    FlangeScrews(cr, c, true, true);
    DrawDialBody(a, c.x, c.y);

    const double sr = TURN_STANDARD_RATE_DEG;
    for (double deg : {90.0, 270.0, 90.0 + sr, 270.0 - sr})
        RadialTick(cr, c.x, c.y, 42.5, 56.0, deg, 2.6, kMark);
    Pt l = Polar(c.x, c.y, 47.0, 270.0 - sr - 17.0), r = Polar(c.x, c.y, 47.0, 90.0 + sr + 17.0);
    Label(a, Face::SansBold, 9.0, "L", l.x, l.y);
    Label(a, Face::SansBold, 9.0, "R", r.x, r.y);
    Label(a, Face::CondensedBold, 6.0, "TURN COORDINATOR", c.x, c.y + 33);
    Label(a, Face::CondensedBold, 6.0, "2 MIN.", c.x, c.y - 40);
    Label(a, Face::Condensed, 4.6, "NO PITCH INFORMATION", c.x, c.y - 48, {0.78, 0.78, 0.76});
}

void DrawTurnAircraft(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_TURN_AIRCRAFT);
    const LocalPt p = TURN_AIRCRAFT_PIVOT;
    const double wing[][2] = {
        {p.x - 38.5, p.y - 0.9}, {p.x - 38.5, p.y + 0.9}, {p.x - 6, p.y + 1.6},
        {p.x + 6, p.y + 1.6},    {p.x + 38.5, p.y + 0.9}, {p.x + 38.5, p.y - 0.9},
        {p.x + 6, p.y - 1.4},    {p.x - 6, p.y - 1.4},
    };
    Polygon(cr, wing, 8);
    const double fin[][2] = {
        {p.x - 1.4, p.y + 2}, {p.x + 1.4, p.y + 2}, {p.x + 0.7, p.y + 11.5}, {p.x - 0.7, p.y + 11.5}};
    Polygon(cr, fin, 4);
    SetColour(cr, kMark);
    cairo_fill(cr);
    FillCircle(cr, p.x, p.y, 3.6, kMark);
    FillCircle(cr, p.x, p.y, 1.3, {0.55, 0.55, 0.55});
}

// A glass tube of damping liquid with the two reference wires the ball
// centres between.
void DrawInclinometerTube(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_INCLINOMETER);
    // The ball rests on texels 29 to 42; the wires stand one and a half
    // texels clear of it on each side.
    const TubeShade shade = {{0.62, 0.62, 0.56}, {0.90, 0.90, 0.84}, {0.74, 0.74, 0.68},
                             {0.15, 0.15, 0.15}, {0.05, 0.05, 0.05}};
    DrawTube(cr, 0.5, 0.3, 69.0, 15.0, 7.0, 0, 15, shade, 27, 43, 1, 14);
}

// ---- Heading indicator: the fixed dial, the bug and the cover that frames
// the turning card.
void DrawHeadingDial(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_HEADING_DIAL);
    const LocalPt c = HDG_PIVOT;
    FlangeScrews(cr, c, false, false);
    DrawDialBody(a, c.x, c.y);
    DrawKnob(a.cr, c.x - 54, c.y - 57, 7.0);
    DrawKnob(a.cr, c.x + 54, c.y - 57, 7.0);
    // The bug knob carries the bug's colour.
    const double bug[][2] = {{c.x + 50, c.y - 46}, {c.x + 58, c.y - 46}, {c.x + 54, c.y - 50}};
    Polygon(cr, bug, 3);
    SetColour(cr, kOrange);
    cairo_fill(cr);
    SetColour(cr, kMark);
    DrawText(cr, a.fonts, Face::CondensedBold, 5.0, "PUSH", c.x - 54, c.y - 46.5);
}

void DrawHeadingBug(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_HEADING_BUG);
    // A block with a notch in its outer edge, where the lubber line sits.
    const double pts[][2] = {{0.3, 0.3}, {9.7, 0.3}, {9.7, 6.7}, {6.6, 6.7},
                             {5.0, 3.6}, {3.4, 6.7}, {0.3, 6.7}};
    Polygon(cr, pts, 7);
    SetColour(cr, kOrange);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.5);
    SetColour(cr, {0.35, 0.16, 0.0});
    cairo_stroke(cr);
}

void DrawHeadingCover(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_HEADING_COVER);
    const LocalPt c = HDG_COVER_PIVOT;
    // The mask's edge around the card window.
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, 57.2, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, c.x, c.y, 55.6, 2 * M_PI, 0);
    SetColour(cr, {0.03, 0.03, 0.035});
    cairo_fill(cr);
    // Index marks every 45 degrees and the lubber line at the top.
    for (int i = 1; i < 8; i++) {
        double deg = i * 45.0;
        Pt tip = Polar(c.x, c.y, 51.0, deg);
        Pt b0 = Polar(c.x, c.y, 57.0, deg - 2.3), b1 = Polar(c.x, c.y, 57.0, deg + 2.3);
        const double tri[][2] = {{tip.x, tip.y}, {b0.x, b0.y}, {b1.x, b1.y}};
        Polygon(cr, tri, 3);
        SetColour(cr, kMark);
        cairo_fill(cr);
    }
    FillRect(cr, c.x - 0.8, c.y + 44.5, 1.6, 13.0, kOrange);
    const double tri[][2] = {{c.x, c.y + 51.5}, {c.x - 2.6, c.y + 57.0}, {c.x + 2.6, c.y + 57.0}};
    Polygon(cr, tri, 3);
    SetColour(cr, kOrange);
    cairo_fill(cr);
    // The little aircraft in the middle of the glass, nose on the lubber line.
    const double plane[][2] = {
        {c.x, c.y + 12},        {c.x + 1.3, c.y + 9},  {c.x + 1.3, c.y + 3}, {c.x + 10, c.y - 1},
        {c.x + 10, c.y - 3},    {c.x + 1.3, c.y - 1.5}, {c.x + 1.0, c.y - 7}, {c.x + 4.5, c.y - 9.5},
        {c.x + 4.5, c.y - 11},  {c.x, c.y - 10},        {c.x - 4.5, c.y - 11}, {c.x - 4.5, c.y - 9.5},
        {c.x - 1.0, c.y - 7},   {c.x - 1.3, c.y - 1.5}, {c.x - 10, c.y - 3},  {c.x - 10, c.y - 1},
        {c.x - 1.3, c.y + 3},   {c.x - 1.3, c.y + 9},
    };
    Polygon(cr, plane, 18);
    SetColour(cr, kOrange);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.5);
    SetColour(cr, {0.2, 0.1, 0.0});
    cairo_stroke(cr);
}

// ---- Vertical speed indicator: hundreds of ft/min, zero at 9 o'clock, climb
// clockwise over the top, descent counter-clockwise below.
void DrawVsiDial(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GA_VSI_DIAL);
    const LocalPt c = VSI_PIVOT;
    FlangeScrews(cr, c, true, true);
    DrawDialBody(a, c.x, c.y);

    // The needle turns by 90 - S from straight up, so it points S - 90
    // degrees clockwise from up.
    auto ang = [](int fpm) {
        float s = GAVerticalSpeedValue(std::fabs(fpm) / 1000.0f);
        return double(fpm < 0 ? -s : s) - 90.0;
    };
    for (int sign : {1, -1}) {
        for (int fpm = 0; fpm <= 3500; fpm += fpm < 1000 ? 100 : 500) {
            if (fpm == 0 && sign < 0)
                continue;
            bool major = fpm % 500 == 0 && fpm <= 2000;
            double r0 = fpm == 0 ? 43.0 : major ? 46.0 : 50.0;
            RadialTick(cr, c.x, c.y, r0, 58.0, ang(sign * fpm), major ? 1.7 : 1.1, kMark);
        }
        char buf[4];
        for (int h = 0; h <= 20; h += 5) {
            if (h == 0 && sign < 0)
                continue;
            Pt p = Polar(c.x, c.y, h == 0 ? 37.0 : 39.0, ang(sign * h * 100));
            std::snprintf(buf, sizeof buf, "%d", h);
            Label(a, Face::CondensedBold, 9.0, buf, p.x, p.y);
        }
    }
    Label(a, Face::CondensedBold, 6.5, "UP", c.x - 19, c.y + 14);
    Label(a, Face::CondensedBold, 6.5, "DOWN", c.x - 19, c.y - 14);
    const double up[][2] = {{c.x - 19, c.y + 23}, {c.x - 22, c.y + 19}, {c.x - 16, c.y + 19}};
    const double dn[][2] = {{c.x - 19, c.y - 23}, {c.x - 22, c.y - 19}, {c.x - 16, c.y - 19}};
    Polygon(cr, up, 3);
    Polygon(cr, dn, 3);
    SetColour(cr, kMark);
    cairo_fill(cr);
    Label(a, Face::CondensedBold, 5.5, "VERTICAL", c.x + 27, c.y + 9);
    Label(a, Face::CondensedBold, 5.5, "SPEED", c.x + 27, c.y + 2);
    Label(a, Face::CondensedBold, 4.8, "100 FT/MIN", c.x + 27, c.y - 7, {0.85, 0.85, 0.83});
}

}  // namespace

void DrawGaDials(const Art &a)
{
    DrawAirspeedDial(a);
    DrawAltimeterDial(a);
    DrawTurnDial(a);
    DrawTurnAircraft(a);
    DrawInclinometerTube(a);
    DrawHeadingDial(a);
    DrawHeadingBug(a);
    DrawHeadingCover(a);
    DrawVsiDial(a);
}
