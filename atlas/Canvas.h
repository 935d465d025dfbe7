#ifndef OSTREL_ATLAS_CANVAS_H
#define OSTREL_ATLAS_CANVAS_H
// The drawing surface of the master texture and the one mapping between atlas
// texels and Cairo's device space. Cairo's y grows downward from the top row
// of the picture; atlas v grows upward from the bottom row (the first row the
// file stores). Every piece of art is drawn inside a SpriteFrame, whose user
// space is the sprite's own: origin at its lower-left texel corner, x right,
// y up, one unit per texel, clipped to the rectangle.

#include <cairo.h>

#include "AtlasRects.h"

// Maps a rectangle's local texel coordinates (x right, y up from its lower-left
// corner) to Cairo image coordinates. The art and the sprite sheet both go
// through this.
cairo_matrix_t SpriteMatrix(const AtlasRect &r);

// The rectangle in Cairo image coordinates (top-left corner, size).
struct ImageBox {
    double x, y, w, h;
};
ImageBox ToImageBox(const AtlasRect &r);

struct Rgb {
    double r, g, b, a = 1.0;
};
void SetColour(cairo_t *cr, const Rgb &c);
Rgb Mix(const Rgb &a, const Rgb &b, double t);

// The 1024 x 1024 premultiplied ARGB32 surface with its context.
class AtlasCanvas {
public:
    AtlasCanvas();
    ~AtlasCanvas();
    AtlasCanvas(const AtlasCanvas &) = delete;
    AtlasCanvas &operator=(const AtlasCanvas &) = delete;

    cairo_t *cr() const { return cr_; }
    cairo_surface_t *surface() const { return surface_; }
    // Clears rows 0 and 1023 and columns 0 and 1023: the fonts' blank cells
    // and the texture's repeat wrapping sample these.
    void ClearFrame();

private:
    cairo_surface_t *surface_;
    cairo_t *cr_;
};

// Scoped drawing inside one sprite: saves the context, installs SpriteMatrix
// and clips to the rectangle; restores on destruction. With `own` the
// rectangle is cleared first, so the sprite alone decides its texels.
class SpriteFrame {
public:
    SpriteFrame(cairo_t *cr, const AtlasRect &r, bool own = false);
    ~SpriteFrame();
    SpriteFrame(const SpriteFrame &) = delete;
    SpriteFrame &operator=(const SpriteFrame &) = delete;

    double w() const { return w_; }
    double h() const { return h_; }

private:
    cairo_t *cr_;
    double w_, h_;
};

// Small shape helpers in the current user space.
// Sky above row hy of a w x h sprite frame, ground below, each a vertical
// gradient from its colour at the horizon to its far colour.
void FillSkyAndGround(cairo_t *cr, double w, double h, double hy, const Rgb &sky,
                      const Rgb &skyFar, const Rgb &ground, const Rgb &groundFar);
// The inclinometer's glass tube: a rounded w x h tube at (x, y) with corner
// radius r, shaded across it from row gy0 to row gy1 with a shine 60 % of the
// way, outlined, and the two one-texel reference wires the ball centres
// between at x wire0 and wire1.
struct TubeShade {
    Rgb atGy0, shine, atGy1, outline, wire;
};
void DrawTube(cairo_t *cr, double x, double y, double w, double h, double r, double gy0,
              double gy1, const TubeShade &s, double wire0, double wire1, double wireY,
              double wireH);

void FillCircle(cairo_t *cr, double x, double y, double r, const Rgb &c);
void FillRect(cairo_t *cr, double x, double y, double w, double h, const Rgb &c);
void RoundedRect(cairo_t *cr, double x, double y, double w, double h, double r);
void Polygon(cairo_t *cr, const double (*pts)[2], int n);

// A point at distance r from (cx, cy), at angle deg measured clockwise from
// straight up (y up): the way dials are read.
struct Pt {
    double x, y;
};
Pt Polar(double cx, double cy, double r, double clockwiseFromUpDeg);

// A radial tick from r0 to r1 at the given dial angle.
void RadialTick(cairo_t *cr, double cx, double cy, double r0, double r1, double deg, double width,
                const Rgb &c);
// An annulus sector from angle a0 to a1 (clockwise from up, a0 < a1).
void ArcBand(cairo_t *cr, double cx, double cy, double r0, double r1, double a0, double a1,
             const Rgb &c);

#endif
