// Image rows from GL order; the PNG files are Image.cpp (libpng) or, in the
// Windows build, windows/ImageStb.cpp.

#include <cstring>

#include "Image.h"

namespace sim {

Image Image::fromBottomUp(int w, int h, const std::vector<uint8_t> &pixels)
{
    Image img(w, h);
    const size_t row = size_t(w) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(&img.rgba[size_t(y) * row], &pixels[size_t(h - 1 - y) * row], row);
    return img;
}

}  // namespace sim
