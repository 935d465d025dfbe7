#include "AtlasImage.h"

#include <cmath>
#include <cstdlib>

#include "TGALoader.h"

const AtlasImage &AtlasImage::Built()
{
    static const AtlasImage image(OSTREL_ATLAS_TGA);
    return image;
}

AtlasImage::AtlasImage(const std::string &path)
{
    std::string p = path;  // the loader takes a mutable path
    Texture t = {};
    if (!LoadTGA(&t, p.data()))
        return;
    ok_ = true;
    width_ = t.imageWidth;
    height_ = t.imageHeight;
    bpp_ = t.bitsPerPixel;
    format_ = t.pixelFormat;
    pixels_.assign(t.pixels, t.pixels + size_t(width_) * height_ * (bpp_ / 8));
    std::free(t.pixels);
}

Texel AtlasImage::At(int u, int v) const
{
    if (u < 0 || v < 0 || unsigned(u) >= width_ || unsigned(v) >= height_ || bpp_ != 32)
        return {0, 0, 0, 0};
    const std::uint8_t *p = &pixels_[(size_t(v) * width_ + u) * 4];
    return {p[0], p[1], p[2], p[3]};
}

double AtlasImage::Ink(double u, double v) const
{
    auto ink = [&](int x, int y) {
        Texel t = At(x, y);
        return (t.r + t.g + t.b) / (3.0 * 255.0) * (t.a / 255.0);
    };
    double fu = u - 0.5, fv = v - 0.5;
    int x = int(std::floor(fu)), y = int(std::floor(fv));
    double tx = fu - x, ty = fv - y;
    return (ink(x, y) * (1 - tx) + ink(x + 1, y) * tx) * (1 - ty) +
           (ink(x, y + 1) * (1 - tx) + ink(x + 1, y + 1) * tx) * ty;
}

bool Inside(const AtlasRect &r, int u, int v)
{
    return u >= r.u0 && u < r.u1 && v >= r.v0 && v < r.v1;
}
