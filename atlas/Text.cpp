#include "Text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

namespace {
const char *const kFiles[int(Face::Count)] = {
    "DejaVuSans.ttf",
    "DejaVuSans-Bold.ttf",
    "DejaVuSansCondensed.ttf",
    "DejaVuSansCondensed-Bold.ttf",
};
}  // namespace

// FreeType's library handle lives for the whole run; each face is released
// by Cairo when the last user of its Cairo font face goes away.
static FT_Library Library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            throw std::runtime_error("cannot start FreeType");
        return l;
    }();
    return lib;
}

static const cairo_user_data_key_t kFaceKey = {};

static void ReleaseFace(void *face)
{
    FT_Done_Face(static_cast<FT_Face>(face));
}

Fonts::Fonts(const std::string &dir) : cairoFaces_{}
{
    for (int i = 0; i < int(Face::Count); i++) {
        FT_Face face;
        std::string path = dir + "/" + kFiles[i];
        if (FT_New_Face(Library(), path.c_str(), 0, &face) != 0) {
            Release();
            throw std::runtime_error("cannot load font " + path);
        }
        cairoFaces_[i] = cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING);
        cairo_font_face_set_user_data(cairoFaces_[i], &kFaceKey, face, ReleaseFace);
    }
}

Fonts::~Fonts()
{
    Release();
}

void Fonts::Release()
{
    for (auto &f : cairoFaces_) {
        if (f)
            cairo_font_face_destroy(f);
        f = nullptr;
    }
}

void Fonts::Use(cairo_t *cr, Face face, double size) const
{
    cairo_set_font_face(cr, cairoFaces_[int(face)]);
    cairo_set_font_size(cr, size);
    cairo_font_options_t *opt = cairo_font_options_create();
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(opt, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, opt);
    cairo_font_options_destroy(opt);
}

void DrawText(cairo_t *cr, const Fonts &fonts, Face face, double size, const char *text, double x,
              double y, Anchor anchor, double rotationDeg, double xScale)
{
    cairo_save(cr);
    fonts.Use(cr, face, size);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -rotationDeg * M_PI / 180.0);  // clockwise in y-up space
    cairo_scale(cr, xScale, -1.0);                  // text space is y-down
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    double ox = -e.x_bearing - e.width / 2;
    if (anchor == Anchor::Left)
        ox = -e.x_bearing;
    else if (anchor == Anchor::Right)
        ox = -e.x_bearing - e.width;
    double oy = -e.y_bearing - e.height / 2;
    cairo_move_to(cr, ox, oy);
    cairo_show_text(cr, text);
    cairo_restore(cr);
}
