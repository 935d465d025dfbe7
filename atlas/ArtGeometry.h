#ifndef OSTREL_ATLAS_ARTGEOMETRY_H
#define OSTREL_ATLAS_ARTGEOMETRY_H
// Where the moving parts turn, in each sprite's own texels (from its
// lower-left corner), derived from where the panels place the sprites
// (PanelGeometry.h): a dial's pivot is the panel pivot less the dial's panel
// corner. Dials, covers and needles are drawn around these points, not
// around their rectangles' centres.

#include "AtlasRects.h"
#include "PanelGeometry.h"

struct LocalPt {
    double x, y;
};

// Panel point p in the texels of the sprite placed at b.
constexpr LocalPt Local(PanelPt p, const PanelBox &b)
{
    return {double(p.x) - b.x, double(p.y) - b.y};
}
// Panel point p on a plate that is the whole panel.
constexpr LocalPt OnPlate(PanelPt p)
{
    return {double(p.x), double(p.y)};
}

// Each plate is a whole panel.
static_assert(ATLAS_GA_PLATE.u1 - ATLAS_GA_PLATE.u0 == GA_PANEL.w &&
                  ATLAS_GA_PLATE.v1 - ATLAS_GA_PLATE.v0 == GA_PANEL.h,
              "the GA plate is the GA panel's size");
static_assert(ATLAS_GLASS_PLATE.u1 - ATLAS_GLASS_PLATE.u0 == GLASS_PANEL.w &&
                  ATLAS_GLASS_PLATE.v1 - ATLAS_GLASS_PLATE.v0 == GLASS_PANEL.h,
              "the Glass plate is the Glass panel's size");

// GA panel
constexpr LocalPt ASI_PIVOT = Local(GA_ASI_PIVOT, GA_ASI_DIAL);
constexpr LocalPt ALT_PIVOT = Local(GA_ALT_PIVOT, GA_ALT_DIAL);
constexpr LocalPt TURN_PIVOT = Local(GA_TURN_PIVOT, GA_TURN_DIAL);
constexpr LocalPt HDG_PIVOT = Local(GA_HDG_PIVOT, GA_HDG_DIAL);
constexpr LocalPt VSI_PIVOT = Local(GA_VSI_PIVOT, GA_VSI_DIAL);
constexpr LocalPt AI_RING_PIVOT = Local(GA_AI_PIVOT, GA_AI_RING);
constexpr LocalPt AI_BEZEL_PIVOT = Local(GA_AI_PIVOT, GA_AI_BEZEL);
constexpr double AI_HORIZON_CENTRE_X = Local(GA_AI_PIVOT, GA_AI_HORIZON).x;
// At zero pitch the picture shows from the window's first atlas row, so its
// horizon row stands at panel y 184 + GA_HORIZON_ROW - 527: panel y 230, two
// units below the pivot, level with the aircraft symbol's wings and centre
// dot (the symbol's top edge is the pivot's height, so they cannot rise to
// the pivot); the bezel carries reference bars at that height.
constexpr double GA_HORIZON_PANEL_Y = GA_AI_HORIZON.y + (GA_HORIZON_ROW - ATLAS_GA_HORIZON_WINDOW.v0);
constexpr double GA_BEZEL_PANEL_Y = GA_AI_BEZEL.y;
constexpr LocalPt AI_AIRCRAFT_PIVOT = Local(GA_AI_PIVOT, GA_AI_AIRCRAFT);
constexpr LocalPt TURN_AIRCRAFT_PIVOT = Local(GA_TURN_PIVOT, GA_TURN_AIRCRAFT);
// One heading card serves both panels: each must turn it about its centre.
constexpr LocalPt CARD_PIVOT = Local(GA_HDG_PIVOT, GA_HDG_CARD);
static_assert(Local(GLASS_HSI_PIVOT, GLASS_HSI_CARD).x == CARD_PIVOT.x &&
                  Local(GLASS_HSI_PIVOT, GLASS_HSI_CARD).y == CARD_PIVOT.y,
              "the Glass HSI turns the heading card about the GA pivot's texel");
constexpr LocalPt HDG_COVER_PIVOT = Local(GA_HDG_PIVOT, GA_HDG_COVER);

// Needles: pivot in the needle sprite; each points straight up at rest.
constexpr LocalPt ASI_NEEDLE_PIVOT = Local(GA_ASI_PIVOT, GA_ASI_NEEDLE);
constexpr LocalPt ALT_THOUSANDS_PIVOT = Local(GA_ALT_PIVOT, GA_ALT_THOUSANDS_NEEDLE);
constexpr LocalPt ALT_HUNDREDS_PIVOT = Local(GA_ALT_PIVOT, GA_ALT_HUNDREDS_NEEDLE);
constexpr LocalPt VSI_NEEDLE_PIVOT = Local(GA_VSI_PIVOT, GA_VSI_NEEDLE);

// Where the barometer digits stand on the altimeter dial: four 7-texel cells.
constexpr LocalPt BARO_WINDOW = Local(GA_BARO_READOUT, GA_ALT_DIAL);

// Glass panel (the plate is the panel, so panel units are plate texels)
constexpr double GLASS_HORIZON_CENTRE_X = Local(GLASS_AI_PIVOT, GLASS_AI_HORIZON).x;
// At zero pitch the picture shows from the window's first atlas row.
constexpr double GLASS_HORIZON_PANEL_Y =
    GLASS_AI_HORIZON.y + (GLASS_HORIZON_ROW - ATLAS_GLASS_HORIZON_WINDOW.v0);
constexpr LocalPt GLASS_VSI_SCALE_ORIGIN = {GLASS_VSI_SCALE.x, GLASS_VSI_SCALE.y};
// The Glass vertical speed needle lies left of its pivot with its lower edge
// on it; its centre line runs this far above the pivot, and the scale marks
// are printed on that line.
constexpr double GLASS_VSI_NEEDLE_OFFSET = GLASS_VSI_NEEDLE.h / 2.0;
constexpr LocalPt HSI_PIVOT = OnPlate(GLASS_HSI_PIVOT);

// The turn coordinator's standard-rate marks stand this far below the
// wings-level marks: the symbol's rotation at a standard-rate turn.
constexpr double TURN_STANDARD_RATE_DEG = 20.0;

#endif
