#include "Canvas.h"

#include <cmath>
#include <stdexcept>

cairo_matrix_t SpriteMatrix(const AtlasRect &r)
{
    // Local (x, y) -> image (u0 + x, ATLAS_SIZE - (v0 + y)).
    cairo_matrix_t m;
    cairo_matrix_init(&m, 1.0, 0.0, 0.0, -1.0, r.u0, ATLAS_SIZE - r.v0);
    return m;
}

ImageBox ToImageBox(const AtlasRect &r)
{
    cairo_matrix_t m = SpriteMatrix(r);
    double x = 0, y = r.v1 - r.v0;  // the local upper-left corner
    cairo_matrix_transform_point(&m, &x, &y);
    return {x, y, double(r.u1 - r.u0), double(r.v1 - r.v0)};
}

void SetColour(cairo_t *cr, const Rgb &c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

Rgb Mix(const Rgb &a, const Rgb &b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

AtlasCanvas::AtlasCanvas()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, ATLAS_SIZE, ATLAS_SIZE)),
      cr_(cairo_create(surface_))
{
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create the atlas surface");
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
}

AtlasCanvas::~AtlasCanvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void AtlasCanvas::ClearFrame()
{
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr_, 0, 0, ATLAS_SIZE, 1);
    cairo_rectangle(cr_, 0, ATLAS_SIZE - 1, ATLAS_SIZE, 1);
    cairo_rectangle(cr_, 0, 0, 1, ATLAS_SIZE);
    cairo_rectangle(cr_, ATLAS_SIZE - 1, 0, 1, ATLAS_SIZE);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_flush(surface_);
}

SpriteFrame::SpriteFrame(cairo_t *cr, const AtlasRect &r, bool own)
    : cr_(cr), w_(r.u1 - r.u0), h_(r.v1 - r.v0)
{
    cairo_save(cr_);
    cairo_matrix_t m = SpriteMatrix(r);
    cairo_set_matrix(cr_, &m);
    cairo_rectangle(cr_, 0, 0, w_, h_);
    cairo_clip(cr_);
    if (own) {
        cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr_);
        cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    }
}

SpriteFrame::~SpriteFrame()
{
    cairo_restore(cr_);
}

void FillCircle(cairo_t *cr, double x, double y, double r, const Rgb &c)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetColour(cr, c);
    cairo_fill(cr);
}

void FillRect(cairo_t *cr, double x, double y, double w, double h, const Rgb &c)
{
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, c);
    cairo_fill(cr);
}

void RoundedRect(cairo_t *cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void Polygon(cairo_t *cr, const double (*pts)[2], int n)
{
    cairo_move_to(cr, pts[0][0], pts[0][1]);
    for (int i = 1; i < n; i++)
        cairo_line_to(cr, pts[i][0], pts[i][1]);
    cairo_close_path(cr);
}

Pt Polar(double cx, double cy, double r, double clockwiseFromUpDeg)
{
    double a = clockwiseFromUpDeg * M_PI / 180.0;
    return {cx + r * std::sin(a), cy + r * std::cos(a)};
}

void RadialTick(cairo_t *cr, double cx, double cy, double r0, double r1, double deg, double width,
                const Rgb &c)
{
    Pt a = Polar(cx, cy, r0, deg), b = Polar(cx, cy, r1, deg);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, c);
    cairo_stroke(cr);
}

void ArcBand(cairo_t *cr, double cx, double cy, double r0, double r1, double a0, double a1,
             const Rgb &c)
{
    // Clockwise-from-up angles become Cairo angles (counter-clockwise from +x
    // in this y-up space) as 90 - a; the band runs from a1 back to a0 there.
    auto rad = [](double a) { return (90.0 - a) * M_PI / 180.0; };
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r1, rad(a1), rad(a0));
    cairo_arc_negative(cr, cx, cy, r0, rad(a0), rad(a1));
    cairo_close_path(cr);
    SetColour(cr, c);
    cairo_fill(cr);
}

void FillSkyAndGround(cairo_t *cr, double w, double h, double hy, const Rgb &sky,
                      const Rgb &skyFar, const Rgb &ground, const Rgb &groundFar)
{
    cairo_pattern_t *up = cairo_pattern_create_linear(0, hy, 0, h);
    cairo_pattern_add_color_stop_rgb(up, 0.0, sky.r, sky.g, sky.b);
    cairo_pattern_add_color_stop_rgb(up, 1.0, skyFar.r, skyFar.g, skyFar.b);
    cairo_rectangle(cr, 0, hy, w, h - hy);
    cairo_set_source(cr, up);
    cairo_fill(cr);
    cairo_pattern_destroy(up);

    cairo_pattern_t *down = cairo_pattern_create_linear(0, hy, 0, 0);
    cairo_pattern_add_color_stop_rgb(down, 0.0, ground.r, ground.g, ground.b);
    cairo_pattern_add_color_stop_rgb(down, 1.0, groundFar.r, groundFar.g, groundFar.b);
    cairo_rectangle(cr, 0, 0, w, hy);
    cairo_set_source(cr, down);
    cairo_fill(cr);
    cairo_pattern_destroy(down);
}

void DrawTube(cairo_t *cr, double x, double y, double w, double h, double r, double gy0,
              double gy1, const TubeShade &s, double wire0, double wire1, double wireY,
              double wireH)
{
    RoundedRect(cr, x, y, w, h, r);
    cairo_pattern_t *g = cairo_pattern_create_linear(0, gy0, 0, gy1);
    cairo_pattern_add_color_stop_rgb(g, 0.0, s.atGy0.r, s.atGy0.g, s.atGy0.b);
    cairo_pattern_add_color_stop_rgb(g, 0.6, s.shine.r, s.shine.g, s.shine.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, s.atGy1.r, s.atGy1.g, s.atGy1.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, s.outline);
    cairo_stroke(cr);
    FillRect(cr, wire0, wireY, 1, wireH, s.wire);
    FillRect(cr, wire1, wireY, 1, wireH, s.wire);
}
