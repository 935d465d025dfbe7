// The GA instrument panel plate: opaque dark grey with the attitude window
// cut out, so the horizon and its ring, drawn before the plate, show through.

#include <cmath>

#include "Art.h"
#include "ArtGeometry.h"

using namespace palette;

namespace {

// The six instruments' pivots (the plate is the panel).
constexpr PanelPt kInstruments[] = {GA_ASI_PIVOT,  GA_AI_PIVOT,  GA_ALT_PIVOT,
                                    GA_TURN_PIVOT, GA_HDG_PIVOT, GA_VSI_PIVOT};
constexpr double kAttitudeWindowR = 62.0;  // inside the bezel's 58-65 rim

}  // namespace

void DrawGaPlate(const Art &a)
{
    cairo_t *cr = a.cr;
    // The plate owns its rectangle: its bottom rows are also the top rows of
    // the GA horizon's range (reached only near full nose-up pitch), and they
    // stay the plate's edge.
    SpriteFrame f(cr, ATLAS_GA_PLATE, true);
    const double w = f.w(), h = f.h();

    FillRect(cr, 0, 0, w, h, kPanelEdge);
    cairo_pattern_t *g = cairo_pattern_create_linear(0, h, 0, 0);
    cairo_pattern_add_color_stop_rgb(g, 0.0, kPanel.r + 0.03, kPanel.g + 0.03, kPanel.b + 0.03);
    cairo_pattern_add_color_stop_rgb(g, 1.0, kPanel.r - 0.02, kPanel.g - 0.02, kPanel.b - 0.02);
    cairo_rectangle(cr, 3, 3, w - 6, h - 6);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // A bright bevel along the upper and left inner edges, a dark one below.
    FillRect(cr, 3, h - 4, w - 6, 1, {0.32, 0.33, 0.34});
    FillRect(cr, 3, 3, 1, h - 6, {0.30, 0.31, 0.32});
    FillRect(cr, 3, 3, w - 6, 1, {0.10, 0.10, 0.11});
    FillRect(cr, w - 4, 3, 1, h - 6, {0.11, 0.11, 0.12});

    // Each instrument sits in a recess: a soft shadow around its case.
    for (PanelPt q : kInstruments) {
        const LocalPt p = OnPlate(q);
        cairo_pattern_t *sh = cairo_pattern_create_radial(p.x + 1, p.y - 1, 63.0, p.x + 1, p.y - 1, 70.0);
        cairo_pattern_add_color_stop_rgba(sh, 0.0, 0, 0, 0, 0.55);
        cairo_pattern_add_color_stop_rgba(sh, 1.0, 0, 0, 0, 0.0);
        cairo_new_sub_path(cr);
        cairo_arc(cr, p.x + 1, p.y - 1, 70.0, 0, 2 * M_PI);
        cairo_set_source(cr, sh);
        cairo_fill(cr);
        cairo_pattern_destroy(sh);
    }

    for (double x : {9.0, w - 9.0})
        for (double y : {9.0, h - 9.0})
            DrawScrew(cr, x, y, 45 + x * 0.1);

    // Gear lamp sockets and their label; the lamps are drawn over them.
    for (PanelPt q : GA_GEAR_LAMPS) {
        const LocalPt p = OnPlate(q);
        FillCircle(cr, p.x + 3.5, p.y + 3.5, 4.6, {0.05, 0.05, 0.05});
        FillCircle(cr, p.x + 3.5, p.y + 3.5, 3.4, {0.16, 0.17, 0.16});
    }
    SetColour(cr, kMark);
    DrawText(cr, a.fonts, Face::CondensedBold, 6.0, "GEAR", 315.5, 142.0);

    // The attitude window, open to the picture and ring beneath.
    const LocalPt c = OnPlate(GA_AI_PIVOT);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, kAttitudeWindowR, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}
