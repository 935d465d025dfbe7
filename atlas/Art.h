#ifndef OSTREL_ATLAS_ART_H
#define OSTREL_ATLAS_ART_H
// The pieces of the master texture, each drawn into its own rectangles, and
// the colours they share.

#include <cairo.h>

#include "Canvas.h"
#include "Text.h"

struct Art {
    cairo_t *cr;
    const Fonts &fonts;
};

// Shared palette: black dial faces with white marks in a dark grey panel.
namespace palette {
constexpr Rgb kFace = {0.045, 0.045, 0.05};
constexpr Rgb kMark = {0.96, 0.96, 0.94};
constexpr Rgb kPanel = {0.20, 0.21, 0.22};
constexpr Rgb kPanelEdge = {0.12, 0.125, 0.13};
constexpr Rgb kBlack = {0.0, 0.0, 0.0};
constexpr Rgb kSky = {0.22, 0.52, 0.86};
constexpr Rgb kSkyHigh = {0.08, 0.27, 0.62};
constexpr Rgb kGround = {0.55, 0.34, 0.14};
constexpr Rgb kGroundLow = {0.33, 0.19, 0.07};
constexpr Rgb kOrange = {1.0, 0.55, 0.08};
constexpr Rgb kYellow = {1.0, 0.86, 0.1};
constexpr Rgb kMagenta = {0.95, 0.2, 0.95};
constexpr Rgb kCyan = {0.2, 0.9, 1.0};
constexpr Rgb kNavGreen = {0.2, 0.95, 0.3};
}  // namespace palette

// Instrument furniture shared by the dials.
void DrawDialBody(const Art &a, double cx, double cy);  // bezel ring and black face
void DrawScrew(cairo_t *cr, double x, double y, double slotDeg);
void DrawKnob(cairo_t *cr, double x, double y, double r);

// Annunciator lenses, lit or dark, with their legends.
enum class Lamp { Stall, Brake, OuterMarker, MiddleMarker, InnerMarker };
void DrawLens(const Art &a, Lamp lamp, double x, double y, double w, double h, bool lit,
              double xScale = 1.0);

void DrawGaDials(const Art &a);        // airspeed, altimeter, turn, heading, vertical speed
void DrawGaNeedles(const Art &a);      // the four GA needles
void DrawGaAttitude(const Art &a);     // horizon, ring, aircraft symbol, bezel
void DrawGaPlate(const Art &a);        // the GA panel plate (owns its rectangle)
void DrawAnnunciators(const Art &a);   // lamps, lights and their GA housings
void DrawSplash(const Art &a);
void DrawHeadingCard(const Art &a);
void DrawBall(const Art &a);
void DrawHsiParts(const Art &a);       // course pointer, deviation scale, CDI, markers
void DrawGlassAttitude(const Art &a);  // horizon, roll pointer, FD bar, aircraft symbols
void DrawGlassParts(const Art &a);     // readout boxes, heading box, VS scale and needle
void DrawGlassVsiLabels(cairo_t *cr);  // the VS scale's labels, in the plate's space
void DrawGlassPlate(const Art &a);     // the Glass plate (owns its rectangle)

// Everything, in an order where the plates come after the horizon pictures
// they overlap.
void DrawAtlas(const Art &a);

#endif
