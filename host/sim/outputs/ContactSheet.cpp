#include "ContactSheet.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

constexpr int kGap = 8, kLabel = 20, kTitle = 34;

// cairo's RGB24 is native-endian 0x00RRGGBB words.
cairo_surface_t *SurfaceFromImage(const Image &img)
{
    cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, img.width, img.height);
    cairo_surface_flush(s);
    unsigned char *data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < img.height; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < img.width; ++x) {
            const uint8_t *p = img.at(x, y);
            row[x] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[2]);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

Image ImageFromSurface(cairo_surface_t *s)
{
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char *data = cairo_image_surface_get_data(s);
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<const uint32_t *>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            uint8_t *p = img.at(x, y);
            p[0] = uint8_t(row[x] >> 16);
            p[1] = uint8_t(row[x] >> 8);
            p[2] = uint8_t(row[x]);
            p[3] = 255;
        }
    }
    return img;
}

void Text(cairo_t *cr, double x, double y, double size, const std::string &text, bool bold = false)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

}  // namespace

void ContactSheet::SurfaceDeleter::operator()(cairo_surface_t *s) const
{
    cairo_surface_destroy(s);
}

namespace {
int gLiveSheets = 0;
}

ContactSheet::ContactSheet(std::string title, int thumbWidth, int columns)
    : title_(std::move(title)), thumbWidth_(thumbWidth), columns_(columns)
{
    ++gLiveSheets;
}

ContactSheet::~ContactSheet()
{
    thumbs_.clear();
    // Cairo caches font faces for the life of the process; with no cairo
    // object left, hand the memory back so leak checkers see a clean exit.
    if (--gLiveSheets == 0) cairo_debug_reset_static_data();
}

std::string ContactSheet::timeLabel(double seconds)
{
    char buf[32];
    const int whole = int(seconds);
    std::snprintf(buf, sizeof buf, "%d:%04.1f", whole / 60, seconds - 60 * (whole / 60));
    return buf;
}

void ContactSheet::add(const Image &frame, double time)
{
    if (thumbHeight_ == 0)
        thumbHeight_ = std::max(1, int(std::lround(double(frame.height) * thumbWidth_ / frame.width)));
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> src(SurfaceFromImage(frame));
    cairo_surface_t *thumb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, thumbWidth_, thumbHeight_);
    cairo_t *cr = cairo_create(thumb);
    cairo_scale(cr, double(thumbWidth_) / frame.width, double(thumbHeight_) / frame.height);
    cairo_set_source_surface(cr, src.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    thumbs_.push_back({std::unique_ptr<cairo_surface_t, SurfaceDeleter>(thumb), time});
}

Image ContactSheet::render() const
{
    const int n = int(thumbs_.size());
    const int cols = std::max(1, std::min(columns_, n));
    const int rows = std::max(1, (n + cols - 1) / cols);
    const int cellW = thumbWidth_ + kGap, cellH = thumbHeight_ + kLabel + kGap;
    const int w = kGap + cols * cellW, h = kTitle + rows * cellH + kGap;
    cairo_surface_t *sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t *cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.13, 0.13, 0.15);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    Text(cr, kGap, 24, 17, title_, true);
    for (int i = 0; i < n; ++i) {
        const double x = kGap + (i % cols) * cellW, y = kTitle + (i / cols) * cellH;
        cairo_set_source_surface(cr, thumbs_[size_t(i)].surface.get(), x, y);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
        Text(cr, x + 2, y + thumbHeight_ + 15, 13, "t = " + timeLabel(thumbs_[size_t(i)].time));
    }
    cairo_destroy(cr);
    Image out = ImageFromSurface(sheet);
    cairo_surface_destroy(sheet);
    return out;
}

}  // namespace sim
