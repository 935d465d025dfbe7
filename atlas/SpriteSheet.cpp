#include <stdexcept>

#include "AtlasRects.h"
#include "Canvas.h"
#include "Review.h"

namespace {

constexpr int kZoom = 2;

void Checkerboard(cairo_t *cr, int size, int cell)
{
    cairo_set_source_rgb(cr, 0.42, 0.42, 0.44);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.52, 0.52, 0.54);
    for (int y = 0; y < size; y += cell)
        for (int x = (y / cell) % 2 * cell; x < size; x += 2 * cell)
            cairo_rectangle(cr, x, y, cell, cell);
    cairo_fill(cr);
}

}  // namespace

void WriteSpriteSheet(cairo_surface_t *atlas, const Fonts &fonts, const std::string &path)
{
    const int size = ATLAS_SIZE * kZoom;
    cairo_surface_t *sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t *cr = cairo_create(sheet);
    Checkerboard(cr, size, 16);

    cairo_save(cr);
    cairo_scale(cr, kZoom, kZoom);
    cairo_set_source_surface(cr, atlas, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);

    static const double kColours[][3] = {{1.0, 0.2, 0.2}, {0.2, 1.0, 0.3}, {0.3, 0.6, 1.0},
                                         {1.0, 0.9, 0.2}, {1.0, 0.3, 1.0}, {0.2, 1.0, 1.0}};
    int i = 0;
    for (const AtlasSprite &s : ATLAS_SPRITES) {
        const double *c = kColours[i++ % 6];
        ImageBox b = ToImageBox(s.rect);
        cairo_rectangle(cr, b.x * kZoom + 0.5, b.y * kZoom + 0.5, b.w * kZoom - 1, b.h * kZoom - 1);
        cairo_set_source_rgb(cr, c[0], c[1], c[2]);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);

        fonts.Use(cr, Face::Condensed, 10.0);
        cairo_text_extents_t e;
        cairo_text_extents(cr, s.name, &e);
        double tx = b.x * kZoom + 2, ty = b.y * kZoom + 2;
        cairo_rectangle(cr, tx, ty, e.x_advance + 3, 12);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
        cairo_fill(cr);
        cairo_move_to(cr, tx + 1.5, ty + 10);
        cairo_set_source_rgb(cr, c[0], c[1], c[2]);
        cairo_show_text(cr, s.name);
    }
    cairo_destroy(cr);
    cairo_status_t st = cairo_surface_write_to_png(sheet, path.c_str());
    cairo_surface_destroy(sheet);
    if (st != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}
