#ifndef OSTREL_TESTS_ATLASIMAGE_H
#define OSTREL_TESTS_ATLASIMAGE_H
// The generated master texture as the plug-in sees it: loaded with the
// project's TGA loader, addressed in atlas texels (v counted from the first
// stored row), sampled bilinearly like the texture.

#include <cstdint>
#include <string>
#include <vector>

#include "AtlasRects.h"

struct Texel {
    std::uint8_t r, g, b, a;
};

class AtlasImage {
public:
    // The build's resources/Ostrel.tga, loaded once.
    static const AtlasImage &Built();
    // Loads `path`; check ok() before use.
    explicit AtlasImage(const std::string &path);

    bool ok() const { return ok_; }
    unsigned width() const { return width_; }
    unsigned height() const { return height_; }
    unsigned bitsPerPixel() const { return bpp_; }
    unsigned pixelFormat() const { return format_; }

    Texel At(int u, int v) const;
    // Alpha-weighted brightness (0 to 1) at a point in texel units, sampled
    // bilinearly between texel centres: what a white-on-black mark shows.
    double Ink(double u, double v) const;
    // The same within a sprite: (x, y) from the rectangle's lower-left corner.
    double Ink(const AtlasRect &r, double x, double y) const { return Ink(r.u0 + x, r.v0 + y); }

private:
    bool ok_ = false;
    unsigned width_ = 0, height_ = 0, bpp_ = 0, format_ = 0;
    std::vector<std::uint8_t> pixels_;
};

bool Inside(const AtlasRect &r, int u, int v);

#endif
