#ifndef OSTREL_ATLAS_TGAOUTPUT_H
#define OSTREL_ATLAS_TGAOUTPUT_H
// Turning the drawn atlas into the master texture file.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

// Straight (not premultiplied) RGBA bytes, top row of the picture first.
// Fully transparent texels inside a sprite take the colour of their visible
// neighbours, so linear filtering at a sprite's edge fades the edge colour
// out instead of darkening it; everywhere else they stay 0, 0, 0, 0.
std::vector<std::uint8_t> StraightRgba(cairo_surface_t *surface);

// A 32-bit run-length encoded TGA, stored bottom row first (descriptor: 8
// alpha bits, origin at the lower left), so atlas v counts up from the first
// stored row. Throws on failure.
void WriteTga(const std::string &path, const std::vector<std::uint8_t> &rgba, int width,
              int height);

#endif
