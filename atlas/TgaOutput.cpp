#include "TgaOutput.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <stdexcept>

#include "AtlasRects.h"

namespace {

// Reads neighbours from `src` (the image before any bleeding) and writes
// `out`. The atlas's outer frame is left untouched.
void BleedIntoTransparentEdges(const std::vector<std::uint8_t> &src, std::vector<std::uint8_t> &out,
                               int width, int height, const AtlasRect &r)
{
    auto at = [&](int x, int row) { return &out[(size_t(row) * width + x) * 4]; };
    auto srcAt = [&](int x, int row) { return &src[(size_t(row) * width + x) * 4]; };
    // Rows of the picture are top first: atlas v maps to row height - 1 - v.
    const int row0 = height - r.v1, row1 = height - r.v0;
    for (int row = row0; row < row1; row++) {
        if (row == 0 || row == height - 1)
            continue;
        for (int x = r.u0; x < r.u1; x++) {
            if (x == 0 || x == width - 1 || srcAt(x, row)[3] != 0)
                continue;
            unsigned sum[3] = {0, 0, 0}, weight = 0;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    int nx = x + dx, ny = row + dy;
                    if (nx < r.u0 || nx >= r.u1 || ny < row0 || ny >= row1)
                        continue;
                    const std::uint8_t *n = srcAt(nx, ny);
                    for (int c = 0; c < 3; c++)
                        sum[c] += unsigned(n[c]) * n[3];
                    weight += n[3];
                }
            if (weight == 0)
                continue;
            std::uint8_t *p = at(x, row);
            for (int c = 0; c < 3; c++)
                p[c] = std::uint8_t((sum[c] + weight / 2) / weight);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> StraightRgba(cairo_surface_t *surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char *data = cairo_image_surface_get_data(surface);
    std::vector<std::uint8_t> out(size_t(w) * h * 4, 0);
    for (int row = 0; row < h; row++) {
        const auto *src = reinterpret_cast<const std::uint32_t *>(data + size_t(row) * stride);
        for (int x = 0; x < w; x++) {
            std::uint32_t p = src[x];  // premultiplied, native-endian ARGB
            unsigned a = p >> 24;
            if (a == 0)
                continue;
            unsigned c[3] = {(p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff};
            std::uint8_t *o = &out[(size_t(row) * w + x) * 4];
            for (int i = 0; i < 3; i++) {
                unsigned v = (c[i] * 255 + a / 2) / a;
                o[i] = std::uint8_t(v > 255 ? 255 : v);
            }
            o[3] = std::uint8_t(a);
        }
    }
    const std::vector<std::uint8_t> drawn(out);
    for (const AtlasSprite &s : ATLAS_SPRITES)
        BleedIntoTransparentEdges(drawn, out, w, h, s.rect);
    return out;
}

void WriteTga(const std::string &path, const std::vector<std::uint8_t> &rgba, int width,
              int height)
{
    // stb writes run-length packets and stores the rows it is given bottom
    // row first, with the lower-left origin in the descriptor.
    stbi_write_tga_with_rle = 1;
    stbi_flip_vertically_on_write(0);
    if (!stbi_write_tga(path.c_str(), width, height, 4, rgba.data()))
        throw std::runtime_error("cannot write " + path);
}
