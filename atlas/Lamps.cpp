// Lamps, annunciator lights and their housings, the inclinometer ball and the
// splash picture. A light's picture is the lens lit; its housing shows the
// same lens dark, so switching the light on reads at a glance.

#include <cmath>

#include "Art.h"

using namespace palette;

namespace {

struct LensColours {
    Rgb lit, litEdge, litText, dark, darkText;
};

const LensColours kRed = {{1.0, 0.30, 0.24}, {0.80, 0.04, 0.03}, {1.0, 1.0, 1.0},
                          {0.20, 0.035, 0.03}, {0.40, 0.12, 0.10}};
const LensColours kAmber = {{1.0, 0.80, 0.25}, {0.90, 0.52, 0.02}, {0.08, 0.05, 0.0},
                            {0.22, 0.14, 0.02}, {0.42, 0.30, 0.10}};
const LensColours kBlue = {{0.50, 0.72, 1.0}, {0.10, 0.32, 0.95}, {0.02, 0.04, 0.15},
                           {0.05, 0.08, 0.24}, {0.18, 0.24, 0.45}};
const LensColours kWhite = {{1.0, 1.0, 1.0}, {0.78, 0.80, 0.82}, {0.08, 0.08, 0.08},
                            {0.20, 0.20, 0.21}, {0.40, 0.40, 0.41}};
const LensColours kGreen = {{0.65, 1.0, 0.60}, {0.05, 0.78, 0.12}, {0, 0, 0},
                            {0.05, 0.16, 0.06}, {0, 0, 0}};
const LensColours kGearRed = {{1.0, 0.55, 0.45}, {0.92, 0.08, 0.04}, {0, 0, 0},
                              {0.18, 0.04, 0.03}, {0, 0, 0}};

// A rectangular lens from (x, y), w x h, lit (glowing from the middle) or dark.
void Lens(const Art &a, double x, double y, double w, double h, const LensColours &c, bool lit,
          const char *text, double size, double xScale)
{
    cairo_t *cr = a.cr;
    if (lit) {
        cairo_pattern_t *g = cairo_pattern_create_radial(x + w / 2, y + h / 2, 0.5, x + w / 2,
                                                         y + h / 2, std::fmax(w, h) * 0.6);
        cairo_pattern_add_color_stop_rgb(g, 0.0, c.lit.r, c.lit.g, c.lit.b);
        cairo_pattern_add_color_stop_rgb(g, 1.0, c.litEdge.r, c.litEdge.g, c.litEdge.b);
        cairo_rectangle(cr, x, y, w, h);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    } else {
        FillRect(cr, x, y, w, h, c.dark);
        FillRect(cr, x, y + h - 1, w, 1, Mix(c.dark, {1, 1, 1}, 0.12));  // glass sheen
    }
    if (text) {
        SetColour(cr, lit ? c.litText : c.darkText);
        DrawText(cr, a.fonts, Face::CondensedBold, size, text, x + w / 2, y + h / 2,
                 Anchor::Centre, 0, xScale);
    }
}

// A housing body: dark bezel with a lighter upper edge.
void DrawHousing(cairo_t *cr, double x, double y, double w, double h)
{
    RoundedRect(cr, x + 0.3, y + 0.3, w - 0.6, h - 0.6, 2.0);
    SetColour(cr, {0.02, 0.02, 0.02});
    cairo_fill(cr);
    RoundedRect(cr, x + 0.9, y + 0.9, w - 1.8, h - 1.8, 1.6);
    cairo_pattern_t *g = cairo_pattern_create_linear(0, y + h, 0, y);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 0.30, 0.30, 0.31);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 0.10, 0.10, 0.11);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The stall sprites are drawn stretched sideways on the panels (the housing
// 31 texels over 35 units, the light 22 over 26), so their lettering is
// squeezed by the inverse here.
constexpr double kStallHousingSqueeze = 31.0 / 35.0;
constexpr double kStallLightSqueeze = 22.0 / 26.0;

void DrawStall(const Art &a)
{
    {
        SpriteFrame f(a.cr, ATLAS_STALL_LIGHT);
        DrawLens(a, Lamp::Stall, 0, 0, f.w(), f.h(), true, kStallLightSqueeze);
    }
    SpriteFrame f(a.cr, ATLAS_GA_STALL_HOUSING);
    DrawHousing(a.cr, 0, 0, f.w(), f.h());
    // The light lands on housing texels 4.4 to 27.5 across, 5 to 18 up.
    FillRect(a.cr, 3.4, 4.0, 25.1, 15.0, {0, 0, 0});
    DrawLens(a, Lamp::Stall, 4.4, 5.0, 23.1, 13.0, false, kStallHousingSqueeze);
}

void DrawBrake(const Art &a)
{
    {
        SpriteFrame f(a.cr, ATLAS_BRAKE_LIGHT);
        DrawLens(a, Lamp::Brake, 0, 0, f.w(), f.h(), true);
    }
    SpriteFrame f(a.cr, ATLAS_GA_BRAKE_HOUSING);
    DrawHousing(a.cr, 0, 0, f.w(), f.h());
    // The light lands on texels 3 to 44 across, 2 to 12 up.
    FillRect(a.cr, 2.2, 1.2, 42.5, 11.6, {0, 0, 0});
    DrawLens(a, Lamp::Brake, 3, 2, 41, 10, false);
}

void DrawMarkers(const Art &a)
{
    const AtlasRect lamps[] = {ATLAS_OM_LAMP, ATLAS_MM_LAMP, ATLAS_IM_LAMP};
    const Lamp kinds[] = {Lamp::OuterMarker, Lamp::MiddleMarker, Lamp::InnerMarker};
    for (int i = 0; i < 3; i++) {
        SpriteFrame f(a.cr, lamps[i]);
        DrawLens(a, kinds[i], 0, 0, f.w(), f.h(), true);
    }
    SpriteFrame f(a.cr, ATLAS_GA_MARKER_HOUSING);
    DrawHousing(a.cr, 0, 0, f.w(), f.h());
    // Lamps land at texels 13, 24 and 35 across, 7 up, 11 x 9 each.
    FillRect(a.cr, 12.2, 6.2, 34.6, 10.6, {0, 0, 0});
    for (int i = 0; i < 3; i++)
        DrawLens(a, kinds[i], 13 + 11 * i, 7, 11, 9, false);
    DrawScrew(a.cr, 6.0, 10.5, 30);
    DrawScrew(a.cr, 53.5, 10.5, 100);
}

void GearLamp(const Art &a, const AtlasRect &r, const LensColours &c)
{
    SpriteFrame f(a.cr, r);
    FillCircle(a.cr, 3.5, 3.5, 3.5, {0.03, 0.03, 0.03});
    cairo_pattern_t *g = cairo_pattern_create_radial(3.0, 4.0, 0.3, 3.5, 3.5, 3.0);
    cairo_pattern_add_color_stop_rgb(g, 0.0, c.lit.r, c.lit.g, c.lit.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, c.litEdge.r, c.litEdge.g, c.litEdge.b);
    cairo_new_sub_path(a.cr);
    cairo_arc(a.cr, 3.5, 3.5, 2.9, 0, 2 * M_PI);
    cairo_set_source(a.cr, g);
    cairo_fill(a.cr);
    cairo_pattern_destroy(g);
}

}  // namespace

void DrawLens(const Art &a, Lamp lamp, double x, double y, double w, double h, bool lit,
              double xScale)
{
    switch (lamp) {
    case Lamp::Stall: Lens(a, x, y, w, h, kRed, lit, "STALL", 8.5, xScale); break;
    case Lamp::Brake: Lens(a, x, y, w, h, kAmber, lit, "BRAKE", 8.0, xScale); break;
    case Lamp::OuterMarker: Lens(a, x, y, w, h, kBlue, lit, "O", 7.5, xScale); break;
    case Lamp::MiddleMarker: Lens(a, x, y, w, h, kAmber, lit, "M", 7.5, xScale); break;
    case Lamp::InnerMarker: Lens(a, x, y, w, h, kWhite, lit, "I", 7.5, xScale); break;
    }
}

void DrawAnnunciators(const Art &a)
{
    DrawStall(a);
    DrawBrake(a);
    DrawMarkers(a);
    GearLamp(a, ATLAS_GEAR_DOWN, kGreen);
    GearLamp(a, ATLAS_GEAR_TRANSIT, kGearRed);
}

void DrawBall(const Art &a)
{
    SpriteFrame f(a.cr, ATLAS_BALL);
    FillCircle(a.cr, 6.5, 6.5, 6.3, {0.0, 0.0, 0.0});
    cairo_pattern_t *g = cairo_pattern_create_radial(4.8, 8.4, 0.4, 6.5, 6.5, 5.9);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 0.55, 0.55, 0.57);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.14, 0.14, 0.15);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 0.03, 0.03, 0.03);
    cairo_new_sub_path(a.cr);
    cairo_arc(a.cr, 6.5, 6.5, 5.9, 0, 2 * M_PI);
    cairo_set_source(a.cr, g);
    cairo_fill(a.cr);
    cairo_pattern_destroy(g);
}

void DrawSplash(const Art &a)
{
    cairo_t *cr = a.cr;
    SpriteFrame f(cr, ATLAS_SPLASH);
    const double w = f.w(), h = f.h();
    RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 9);
    cairo_pattern_t *g = cairo_pattern_create_linear(0, h, 0, 0);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 0.10, 0.16, 0.30, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.03, 0.05, 0.10, 0.95);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, {0.75, 0.80, 0.90});
    cairo_stroke(cr);

    // A horizon line under a climbing wing: the product's mark.
    cairo_move_to(cr, 14, 24);
    cairo_line_to(cr, w - 14, 24);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, {0.45, 0.62, 0.90});
    cairo_stroke(cr);

    SetColour(cr, {1, 1, 1});
    DrawText(cr, a.fonts, Face::SansBold, 27.0, "Ostrel-Flyer", w / 2, 45.0);
    SetColour(cr, {0.85, 0.90, 1.0});
    DrawText(cr, a.fonts, Face::Sans, 12.0, "Version " OSTREL_VERSION, w / 2, 13.0);
}
