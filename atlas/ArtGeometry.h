#ifndef OSTREL_ATLAS_ARTGEOMETRY_H
#define OSTREL_ATLAS_ARTGEOMETRY_H
// Where the moving parts turn, in each sprite's own texels (from its
// lower-left corner), as the panels place the sprites: a dial's pivot is the
// panel pivot minus the dial's panel corner. Dials, covers and needles are
// drawn around these points, not around their rectangles' centres.

#include "AtlasRects.h"

struct LocalPt {
    double x, y;
};

// GA panel
constexpr LocalPt ASI_PIVOT = {68, 74};        // dial at panel (15, 150), pivot (83, 224)
constexpr LocalPt ALT_PIVOT = {71, 75};        // dial at (320, 150), pivot (391, 225)
constexpr LocalPt TURN_PIVOT = {67, 73};       // dial at (15, 10), pivot (82, 83)
constexpr LocalPt HDG_PIVOT = {68, 74};        // dial at (165, 10), pivot (233, 84)
constexpr LocalPt VSI_PIVOT = {67, 72};        // dial at (320, 10), pivot (387, 82)
constexpr LocalPt AI_RING_PIVOT = {65, 64};    // ring at (171, 168), pivot (236, 232)
constexpr LocalPt AI_BEZEL_PIVOT = {81, 82};   // bezel at (155, 150)
constexpr double AI_HORIZON_CENTRE_X = 64;        // picture at x 172
// At zero pitch the picture (panel y 184) shows from atlas row 527, so its
// horizon row stands at panel y 184 + GA_HORIZON_ROW - 527: panel y 230, two
// units below the pivot, level with the aircraft symbol's wings and centre
// dot (the symbol's top edge is the pivot's height, so they cannot rise to
// the pivot); the bezel (panel y 150) carries reference bars at that height.
constexpr double GA_HORIZON_PANEL_Y = 184 + (GA_HORIZON_ROW - 527);
constexpr double GA_BEZEL_PANEL_Y = 150;
constexpr LocalPt AI_AIRCRAFT_PIVOT = {31, 30};   // symbol at (205, 202)
constexpr LocalPt TURN_AIRCRAFT_PIVOT = {39, 4};  // symbol at (43, 79)
constexpr LocalPt CARD_PIVOT = {56, 56};          // card at (177, 28) and (18, 37)
constexpr LocalPt HDG_COVER_PIVOT = {57, 59};     // cover at (176, 25)
constexpr LocalPt GA_PLATE_AI_PIVOT = {236, 232}; // the plate is the panel

// Needles: pivot in the needle sprite; each points straight up at rest.
constexpr LocalPt ASI_NEEDLE_PIVOT = {5, 5};
constexpr LocalPt ALT_THOUSANDS_PIVOT = {5, 16};
constexpr LocalPt ALT_HUNDREDS_PIVOT = {4, 20};
constexpr LocalPt VSI_NEEDLE_PIVOT = {4, 5};

// Where the barometer digits stand on the altimeter dial: four 7-texel cells.
constexpr LocalPt BARO_WINDOW = {57, 47};

// Glass panel (the plate is the panel, so panel units are plate texels)
constexpr LocalPt GLASS_AI_PIVOT = {239, 96};
constexpr double GLASS_HORIZON_CENTRE_X = 64;  // picture at x 175
// At zero pitch the picture (panel y 30) shows from atlas row 511.
constexpr double GLASS_HORIZON_PANEL_Y = 30 + (GLASS_HORIZON_ROW - 511);
constexpr LocalPt GLASS_VSI_PIVOT = {375, 93};
constexpr LocalPt GLASS_VSI_SCALE_ORIGIN = {351, 46};  // the scale sprite's panel corner
// The Glass vertical speed needle lies left of its pivot with its lower edge
// on it; its centre line runs this far above the pivot, and the scale marks
// are printed on that line.
constexpr double GLASS_VSI_NEEDLE_OFFSET = 1.5;
constexpr LocalPt HSI_PIVOT = {74, 93};

// The turn coordinator's standard-rate marks stand this far below the
// wings-level marks: the symbol's rotation at a standard-rate turn.
constexpr double TURN_STANDARD_RATE_DEG = 20.0;

#endif
