// The Glass panel's plate: the display's dark face with the fixed marks of a
// primary flight display. It is drawn over the attitude picture and the
// vertical speed scale and needle, so it is open over those; the tapes are
// drawn on it afterwards as lines and small digits, so under their windows
// it is a tape's dark grey.

#include <cmath>

#include "Art.h"
#include "ArtGeometry.h"

using namespace palette;

namespace {

// Panel rectangles (the plate is the panel): x, y, w, h.
struct Box {
    double x, y, w, h;
};
constexpr Box ToBox(const PanelBox &b)
{
    return {b.x, b.y, double(b.w), double(b.h)};
}
constexpr Box kAttitudeWindow = ToBox(GLASS_ATTITUDE_WINDOW);
constexpr Box kSpeedTape = ToBox(GLASS_SPEED_TAPE);
constexpr Box kAltitudeTape = ToBox(GLASS_ALT_TAPE);
constexpr Box kVsiScale = ToBox(GLASS_VSI_SCALE);
constexpr double kGlideslopeX = 298;   // centre of the pointer column beside x 295
constexpr double kGlideslopeY = 94;    // pointer centre at zero deviation
constexpr double kUnitsPerDot = 20;
// The horizon picture (128 x 130 from panel (175, 30)) turns about the pivot,
// so only within 64 units of the pivot does it cover the window at every
// bank angle; the window is open over that disc, cut by the window's sides.
constexpr double kAttitudeOpenR = 64;
constexpr double kBankScaleR = 65;     // the roll pointer's tip stands at radius 64
// Centre of the ball at rest.
constexpr LocalPt kBall = {GLASS_BALL.x + GLASS_BALL.w / 2.0, GLASS_BALL.y + GLASS_BALL.h / 2.0};

const Rgb kDisplay = {0.055, 0.06, 0.075};
const Rgb kTape = {0.26, 0.27, 0.29};
const Rgb kFrame = {0.42, 0.43, 0.45};

void Clear(cairo_t *cr, const Box &b)
{
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, b.x, b.y, b.w, b.h);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// The attitude window's opening: the window rectangle grown by `grow`, within
// kAttitudeOpenR + grow of the pivot.
void AttitudeOpening(cairo_t *cr, double grow)
{
    const Box &b = kAttitudeWindow;
    cairo_save(cr);
    cairo_rectangle(cr, b.x - grow, b.y - grow, b.w + 2 * grow, b.h + 2 * grow);
    cairo_clip(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, GLASS_AI_PIVOT.x, GLASS_AI_PIVOT.y, kAttitudeOpenR + grow, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Frame(cairo_t *cr, const Box &b, const Rgb &c)
{
    cairo_rectangle(cr, b.x - 0.5, b.y - 0.5, b.w + 1, b.h + 1);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, c);
    cairo_stroke(cr);
}

void DrawBankScale(cairo_t *cr)
{
    const LocalPt c = OnPlate(GLASS_AI_PIVOT);
    for (int deg : {-45, -30, -20, -10, 10, 20, 30, 45}) {
        double len = std::abs(deg) == 30 ? 8.0 : 4.5;
        RadialTick(cr, c.x, c.y, kBankScaleR, kBankScaleR + len, deg, 1.3, kMark);
    }
    Pt tip = Polar(c.x, c.y, kBankScaleR, 0);
    const double t[][2] = {{tip.x, tip.y}, {c.x - 4.0, tip.y + 6.0}, {c.x + 4.0, tip.y + 6.0}};
    Polygon(cr, t, 3);
    SetColour(cr, kMark);
    cairo_fill(cr);
}

void DrawGlideslopeScale(cairo_t *cr)
{
    for (int k : {-2, -1, 1, 2}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, kGlideslopeX, kGlideslopeY + k * kUnitsPerDot, 1.7, 0, 2 * M_PI);
    }
    cairo_set_line_width(cr, 0.9);
    SetColour(cr, kMark);
    cairo_stroke(cr);
    FillRect(cr, kGlideslopeX - 3, kGlideslopeY - 0.5, 6, 1, kMark);
}

void DrawHsiSurround(cairo_t *cr)
{
    const LocalPt c = HSI_PIVOT;
    FillCircle(cr, c.x, c.y, 58.0, {0.25, 0.26, 0.28});
    FillCircle(cr, c.x, c.y, 56.5, {0.0, 0.0, 0.0});
    for (int i = 1; i < 8; i++)
        RadialTick(cr, c.x, c.y, 58.5, 62.5, i * 45.0, 1.3, kMark);
    // The heading box's frame carries on above its sprite, over the
    // readout's top row (the box is open at the top).
    FillRect(cr, 63.5, 164.0, 22.0, 2.5, {0.0, 0.0, 0.0});
    cairo_move_to(cr, 63.5, 164.0);
    cairo_line_to(cr, 63.5, 166.5);
    cairo_line_to(cr, 85.5, 166.5);
    cairo_line_to(cr, 85.5, 164.0);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, kMark);
    cairo_stroke(cr);
}

void DrawBallTube(cairo_t *cr)
{
    const TubeShade shade = {{0.55, 0.55, 0.52}, {0.82, 0.82, 0.78}, {0.66, 0.66, 0.62},
                             {0.0, 0.0, 0.0}, {0.02, 0.02, 0.02}};
    DrawTube(cr, kBall.x - 22.5, kBall.y - 7.5, 45.0, 15.0, 7.0, kBall.y - 7, kBall.y + 7, shade,
             kBall.x - 9, kBall.x + 8, kBall.y - 7, 14);
}

void DrawDarkAnnunciators(const Art &a)
{
    cairo_t *cr = a.cr;
    struct Item { Lamp lamp; double x, y, w, h; };
    const Item items[] = {{Lamp::Brake, 297, 161, 41, 10},       {Lamp::Stall, 340, 158, 26, 13},
                          {Lamp::OuterMarker, 144, 161, 11, 9},  {Lamp::MiddleMarker, 155, 161, 11, 9},
                          {Lamp::InnerMarker, 166, 161, 11, 9}};
    for (const Item &i : items) {
        FillRect(cr, i.x - 1, i.y - 1, i.w + 2, i.h + 2, {0.0, 0.0, 0.0});
        DrawLens(a, i.lamp, i.x, i.y, i.w, i.h, false);
    }
}

}  // namespace

void DrawGlassPlate(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_GLASS_PLATE, true);
    const double w = f.w(), h = f.h();

    FillRect(cr, 0, 0, w, h, {0.16, 0.165, 0.17});
    FillRect(cr, 2, 2, w - 4, h - 4, kDisplay);
    FillRect(cr, 2, h - 3, w - 4, 1, {0.26, 0.27, 0.28});

    for (const Box &t : {kSpeedTape, kAltitudeTape}) {
        Frame(cr, t, kFrame);
        FillRect(cr, t.x, t.y, t.w, t.h, kTape);
    }
    // The speed bands' column at the speed tape's right edge.
    FillRect(cr, 175, 32, 4, 125, {0.0, 0.0, 0.0});

    SetColour(cr, {0.30, 0.31, 0.33});
    AttitudeOpening(cr, 1.2);
    Frame(cr, kVsiScale, kFrame);
    // The vertical speed labels stand beside the opening, where the plate
    // hides the needle.
    DrawGlassVsiLabels(cr);
    // The needle's pivot, right of the scale window it is read through.
    FillCircle(cr, GLASS_VSI_PIVOT.x, GLASS_VSI_PIVOT.y + GLASS_VSI_NEEDLE_OFFSET, 2.6, kFrame);

    DrawHsiSurround(cr);
    DrawGlideslopeScale(cr);
    DrawBallTube(cr);
    DrawDarkAnnunciators(a);

    // DME readout field under the HSI.
    RoundedRect(cr, 45.5, 12.5, 101.0, 14.0, 2.0);
    SetColour(cr, {0.0, 0.0, 0.0});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, {0.30, 0.31, 0.33});
    cairo_stroke(cr);
    SetColour(cr, kCyan);
    DrawText(cr, a.fonts, Face::CondensedBold, 7.5, "DME", 30.0, 19.5);

    for (PanelPt q : GLASS_GEAR_LAMPS) {
        const LocalPt p = OnPlate(q);
        FillCircle(cr, p.x + 3.5, p.y + 3.5, 4.4, {0.0, 0.0, 0.0});
        FillCircle(cr, p.x + 3.5, p.y + 3.5, 3.3, {0.15, 0.16, 0.15});
    }
    SetColour(cr, kMark);
    DrawText(cr, a.fonts, Face::CondensedBold, 6.0, "GEAR", 352.5, 38.0);

    // Open windows onto what was drawn before the plate, then the fixed
    // bank scale over the attitude window.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    AttitudeOpening(cr, 0.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    Clear(cr, kVsiScale);
    DrawBankScale(cr);
}
